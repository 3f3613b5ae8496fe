// The yardstick for the wine guide's start: the least a Qt Widgets program
// does to show a 240 x 320 window with a caption, a text and a button.
// Prints "bare dialog painted" after its first paint, as the guide does
// with VINARIA_REPORT_PAINT=1.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <cstdio>

namespace {

class BareDialog : public QDialog {
protected:
    void paintEvent(QPaintEvent* event) override
    {
        QDialog::paintEvent(event);
        if (!painted_) {
            painted_ = true;
            std::puts("bare dialog painted");
            std::fflush(stdout);
        }
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    BareDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Vinaria - Weinführer"));
    dialog.setFixedSize(240, 320);
    auto* text = new QLabel(QStringLiteral("Weine von A - Z"), &dialog);
    text->move(40, 40);
    auto* ok = new QPushButton(QStringLiteral("ok"), &dialog);
    ok->move(200, 4);
    dialog.show();
    return application.exec();
}
