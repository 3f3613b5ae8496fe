// The control widgets and their wrappers. Qt signals become dialog events
// here; nothing above this file connects a signal.
#include "platform/ui/Controls.h"

#include "platform/ui/Accessibility.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/Fonts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTextLayout>
#include <QTreeWidget>

#include <cmath>

namespace ui {

std::u16string toU16(const QString& s)
{
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

QString toQString(std::u16string_view s)
{
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

namespace {

// Texts of the templates use "\n\r" or "\r\n" for a line break.
QString displayText(const QString& s)
{
    QString out = s;
    out.remove(QLatin1Char('\r'));
    return out;
}

// Asks the procedure for the colours of a static or check box. Returns the
// brush to fill with, or null for the dialog's own background.
const Brush* colourRequest(Dialog* dialog, int id, DrawContext& dc)
{
    Event e;
    e.kind = EventKind::ColourRequest;
    e.controlId = id;
    e.dc = &dc;
    dc.setBackgroundMode(BackgroundMode::Transparent);
    return reinterpret_cast<const Brush*>(dialog->send(e));
}

void sendStylusDown(Dialog* dialog, QWidget* widget, const QPoint& pos)
{
    if (!dialog->widget())
        return;
    const QPoint p = widget->mapTo(dialog->widget(), pos);
    Event e;
    e.kind = EventKind::StylusMove;
    e.x = p.x();
    e.y = p.y();
    dialog->send(e);
}

// Static text as the handheld laid it out: words wrapped, lines one font
// cell (ascent plus descent of the font's own metrics) apart.
void drawStaticText(QPainter& painter, const QRect& box, QString text, unsigned styles)
{
    QFont font = painter.font();
    // The substitute faces run a little wider than the handheld's; a one-line
    // text that misses its box by a few per cent is narrowed instead of
    // losing its last letter. Less than a pixel over, the letter's own margin
    // takes it, and a narrowed copy of the face is not worth loading.
    const double natural = QFontMetricsF(font).horizontalAdvance(text);
    if (!text.contains(QLatin1Char('\n')) && natural > box.width() + 1 && natural <= box.width() * 1.08)
        font.setStretch(static_cast<int>(100.0 * box.width() / natural));
    const EmMetrics em = emMetrics(font);
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    const double cell = std::round(em.ascent * pixels) + std::round(em.descent * pixels);
    const double ascentShift = std::round(em.ascent * pixels) - QFontMetricsF(font).ascent();

    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font);
    QTextOption option((styles & style::kCentre) ? Qt::AlignHCenter : (styles & style::kRight) ? Qt::AlignRight : Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = ascentShift;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, y));
        y += cell;
    }
    layout.endLayout();
    painter.save();
    painter.setClipRect(box);
    layout.draw(&painter, box.topLeft());
    painter.restore();
}

class StaticWidget : public QWidget {
public:
    StaticWidget(Dialog* dialog, const ControlTemplate& t, QWidget* parent)
        : QWidget(parent), dialog_(dialog), id_(t.id), styles_(t.styles), text_(toQString(t.text))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents, !(t.styles & style::kNotify));
        // A text that answers taps is reached with the keyboard too.
        if (t.kind == ControlKind::Static && (t.styles & style::kNotify))
            setFocusPolicy(Qt::TabFocus);
        setAccessibleName(toQString(spokenText(t.text)));
    }
    void setText(const QString& s)
    {
        text_ = s;
        setAccessibleName(toQString(spokenText(toU16(s))));
        update();
    }
    const QString& text() const { return text_; }
    void setImage(const QImage& image)
    {
        image_ = image;
        if (!image_.isNull()) {
            const int border = (styles_ & style::kBorder) ? 2 : 0;
            resize(image_.width() + border, image_.height() + border);
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setFont(font());
        DrawContext dc(painter);
        const Brush* brush = colourRequest(dialog_, id_, dc);
        if (brush)
            painter.fillRect(rect(), toQColor(brush->colour));
        const int border = (styles_ & style::kBorder) ? 1 : 0;
        if (!image_.isNull())
            painter.drawImage(border, border, image_);
        else if (!text_.isEmpty()) {
            painter.setPen(toQColor(dc.textColour()));
            drawStaticText(painter, rect().adjusted(border, border, -border, -border), displayText(text_), styles_);
        }
        if (border) {
            painter.setPen(Qt::black);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        if (hasFocus()) {
            painter.setPen(QPen(toQColor(dc.textColour()), 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            dialog_->sendCommand(id_, kClicked);
            return;
        default:
            QWidget::keyPressEvent(event);
        }
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        sendStylusDown(dialog_, this, event->position().toPoint());
        pressed_ = true;
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (pressed_ && rect().contains(event->position().toPoint()))
            sendClick(event->position().toPoint());
        pressed_ = false;
    }

private:
    // The click carries where it happened, in the dialog's pixels.
    void sendClick(const QPoint& pos)
    {
        if (!dialog_->widget())
            return;
        const QPoint p = mapTo(dialog_->widget(), pos);
        Event e;
        e.kind = EventKind::Command;
        e.controlId = id_;
        e.code = kClicked;
        e.x = p.x();
        e.y = p.y();
        e.hasPosition = true;
        dialog_->send(e);
    }

    Dialog* dialog_;
    int id_;
    unsigned styles_;
    QString text_;
    QImage image_;
    bool pressed_ = false;
};

class OwnerDrawWidget : public QAbstractButton {
public:
    OwnerDrawWidget(Dialog* dialog, int id, QWidget* parent) : QAbstractButton(parent), dialog_(dialog), id_(id)
    {
        setFocusPolicy(Qt::NoFocus);
        connect(this, &QAbstractButton::clicked, this, [this] { dialog_->sendCommand(id_, kClicked); });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        DrawContext dc(painter);
        Event e;
        e.kind = EventKind::DrawItem;
        e.controlId = id_;
        e.dc = &dc;
        e.rect = Rect{0, 0, width(), height()};
        e.pressed = isDown();
        dialog_->send(e);
    }

private:
    Dialog* dialog_;
    int id_;
};

class CheckWidget : public QCheckBox {
public:
    CheckWidget(Dialog* dialog, int id, const QString& text, QWidget* parent)
        : QCheckBox(text, parent), dialog_(dialog), id_(id)
    {
        connect(this, &QAbstractButton::clicked, this, [this] { dialog_->sendCommand(id_, kClicked); });
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        {
            QPainter painter(this);
            DrawContext dc(painter);
            const Brush* brush = colourRequest(dialog_, id_, dc);
            if (brush)
                painter.fillRect(rect(), toQColor(brush->colour));
            QPalette p = palette();
            p.setColor(QPalette::WindowText, toQColor(dc.textColour()));
            if (p != palette())
                setPalette(p);
        }
        QCheckBox::paintEvent(event);
    }

private:
    Dialog* dialog_;
    int id_;
};

// What the user types may be any character, unlike the dialogs' own texts:
// an edit field's font may borrow a character from another face.
QFont withFallbackFaces(QFont font)
{
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::NoFontMerging));
    return font;
}

// Only the strategy: face and size still follow the dialog's font.
QFont fallbackFacesOnly()
{
    QFont font;
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

bool isEditField(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

class LineEditWidget : public QLineEdit {
public:
    LineEditWidget(Dialog* dialog, int id, QWidget* parent) : QLineEdit(parent), dialog_(dialog), id_(id)
    {
        connect(this, &QLineEdit::textEdited, this, [this] { dialog_->sendCommand(id_, kEditChanged); });
        setFont(fallbackFacesOnly());
    }

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        QLineEdit::focusInEvent(e);
        dialog_->sendCommand(id_, kSetFocus);
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QLineEdit::focusOutEvent(e);
        dialog_->sendCommand(id_, kKillFocus);
    }

private:
    Dialog* dialog_;
    int id_;
};

class TextEditWidget : public QPlainTextEdit {
public:
    TextEditWidget(Dialog* dialog, int id, QWidget* parent) : QPlainTextEdit(parent), dialog_(dialog), id_(id)
    {
        connect(this, &QPlainTextEdit::textChanged, this, [this] {
            if (!settingText)
                dialog_->sendCommand(id_, kEditChanged);
        });
        setFont(fallbackFacesOnly());
    }
    bool settingText = false;

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        QPlainTextEdit::focusInEvent(e);
        dialog_->sendCommand(id_, kSetFocus);
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QPlainTextEdit::focusOutEvent(e);
        dialog_->sendCommand(id_, kKillFocus);
    }

private:
    Dialog* dialog_;
    int id_;
};

// Every scroll gesture ends with the end-scroll code when the stylus lifts.
class ScrollWidget : public QScrollBar {
public:
    ScrollWidget(Dialog* dialog, int id, QWidget* parent) : QScrollBar(Qt::Horizontal, parent), dialog_(dialog), id_(id) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QScrollBar::mouseReleaseEvent(event);
        Event e;
        e.kind = EventKind::HorizontalScroll;
        e.controlId = id_;
        e.code = kEndScroll;
        e.position = value();
        dialog_->send(e);
    }

private:
    Dialog* dialog_;
    int id_;
};

// A tree item's data lives in this role.
constexpr int kItemDataRole = Qt::UserRole + 1;

QTreeWidgetItem* treeItem(TreeItem item)
{
    return static_cast<QTreeWidgetItem*>(item);
}

} // namespace

// ---------------------------------------------------------------- Control

Control::Control(Dialog* dialog, const ControlTemplate* tmpl, QWidget* widget)
    : dialog_(dialog), id_(tmpl ? tmpl->id : 0), kind_(tmpl ? tmpl->kind : ControlKind::Static), widget_(widget)
{
}

void Control::show(bool visible)
{
    if (widget_)
        widget_->setVisible(visible);
}

bool Control::isVisible() const
{
    return widget_ && !widget_->isHidden();
}

void Control::setEnabled(bool enabled)
{
    if (widget_)
        widget_->setEnabled(enabled);
}

bool Control::isEnabled() const
{
    return widget_ && widget_->isEnabled();
}

void Control::setFont(const Font* font, bool redraw)
{
    if (!widget_ || !font)
        return;
    widget_->setFont(isEditField(widget_) ? withFallbackFaces(font->qfont()) : font->qfont());
    if (redraw)
        widget_->update();
}

void Control::setFocus()
{
    if (widget_)
        widget_->setFocus(Qt::OtherFocusReason);
}

void Control::invalidate()
{
    if (widget_)
        widget_->update();
}

Rect Control::rect() const
{
    if (!widget_)
        return {};
    const QRect g = widget_->geometry();
    return Rect{g.x(), g.y(), g.width(), g.height()};
}

void Control::move(const Rect& r)
{
    if (widget_)
        widget_->setGeometry(r.x, r.y, r.width, r.height);
}

// ---------------------------------------------------------------- statics and buttons

void StaticControl::setText(std::u16string_view text)
{
    if (auto* w = dynamic_cast<StaticWidget*>(widget_.data()))
        w->setText(toQString(text));
}

std::u16string StaticControl::text() const
{
    if (auto* w = dynamic_cast<StaticWidget*>(widget_.data()))
        return toU16(w->text());
    return {};
}

void StaticControl::setBitmap(const Bitmap* bitmap)
{
    if (auto* w = dynamic_cast<StaticWidget*>(widget_.data()))
        w->setImage(bitmap ? bitmap->image() : QImage());
}

void Button::setText(std::u16string_view text)
{
    if (auto* b = dynamic_cast<QAbstractButton*>(widget_.data()))
        b->setText(toQString(text));
}

std::u16string Button::text() const
{
    if (auto* b = dynamic_cast<QAbstractButton*>(widget_.data()))
        return toU16(b->text());
    return {};
}

void Button::click()
{
    if (auto* b = dynamic_cast<QAbstractButton*>(widget_.data()))
        b->click();
}

bool CheckBox::isChecked() const
{
    auto* b = dynamic_cast<QAbstractButton*>(widget_.data());
    return b && b->isChecked();
}

void CheckBox::setChecked(bool checked)
{
    if (auto* b = dynamic_cast<QAbstractButton*>(widget_.data()))
        b->setChecked(checked);
}

// ---------------------------------------------------------------- edit

QLineEdit* Edit::line() const
{
    return dynamic_cast<QLineEdit*>(widget_.data());
}

QPlainTextEdit* Edit::multi() const
{
    return dynamic_cast<QPlainTextEdit*>(widget_.data());
}

void Edit::setText(std::u16string_view text)
{
    if (auto* l = line()) {
        l->setText(toQString(text));
        l->setCursorPosition(0);
    } else if (auto* m = dynamic_cast<TextEditWidget*>(widget_.data())) {
        m->settingText = true;
        m->setPlainText(displayText(toQString(text)));
        m->settingText = false;
    }
}

std::u16string Edit::text() const
{
    if (auto* l = line())
        return toU16(l->text());
    if (auto* m = multi())
        return toU16(m->toPlainText());
    return {};
}

void Edit::setReadOnly(bool readOnly)
{
    if (auto* l = line())
        l->setReadOnly(readOnly);
    else if (auto* m = multi())
        m->setReadOnly(readOnly);
}

void Edit::setLimit(int maxChars)
{
    if (auto* l = line())
        l->setMaxLength(maxChars);
}

void Edit::selectAll()
{
    if (auto* l = line())
        l->selectAll();
    else if (auto* m = multi())
        m->selectAll();
}

void Edit::scrollToTop()
{
    if (auto* m = multi())
        m->verticalScrollBar()->setValue(0);
    else if (auto* l = line())
        l->setCursorPosition(0);
}

// ---------------------------------------------------------------- lists

QComboBox* ComboBox::box() const
{
    return dynamic_cast<QComboBox*>(widget_.data());
}

void ComboBox::addString(std::u16string_view text)
{
    auto* b = box();
    if (!b)
        return;
    const QString s = toQString(text);
    const QSignalBlocker block(b);
    if (b->property("sorted").toBool()) {
        int at = 0;
        while (at < b->count() && QString::compare(b->itemText(at), s, Qt::CaseInsensitive) <= 0)
            ++at;
        b->insertItem(at, s);
    } else {
        b->addItem(s);
    }
    // A new entry never becomes the choice by itself.
    if (b->property("chosen").toInt() < 0)
        b->setCurrentIndex(-1);
    else
        b->setProperty("chosen", b->currentIndex());
}

void ComboBox::resetContent()
{
    if (auto* b = box()) {
        const QSignalBlocker block(b);
        b->clear();
        b->setProperty("chosen", -1);
    }
}

int ComboBox::count() const
{
    auto* b = box();
    return b ? b->count() : 0;
}

int ComboBox::currentIndex() const
{
    auto* b = box();
    return b ? b->currentIndex() : -1;
}

void ComboBox::setCurrentIndex(int index)
{
    if (auto* b = box()) {
        const QSignalBlocker block(b);
        b->setCurrentIndex(index >= 0 && index < b->count() ? index : -1);
        b->setProperty("chosen", b->currentIndex());
    }
}

std::u16string ComboBox::itemText(int index) const
{
    auto* b = box();
    return b && index >= 0 && index < b->count() ? toU16(b->itemText(index)) : std::u16string();
}

std::u16string ComboBox::currentText() const
{
    return itemText(currentIndex());
}

int ComboBox::findExact(std::u16string_view text) const
{
    auto* b = box();
    if (!b)
        return -1;
    const QString s = toQString(text);
    for (int i = 0; i < b->count(); ++i)
        if (QString::compare(b->itemText(i), s, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QListWidget* ListBox::list() const
{
    return dynamic_cast<QListWidget*>(widget_.data());
}

void ListBox::addString(std::u16string_view text)
{
    auto* l = list();
    if (!l)
        return;
    const QString s = toQString(text);
    if (l->property("sorted").toBool()) {
        int at = 0;
        while (at < l->count() && QString::compare(l->item(at)->text(), s, Qt::CaseInsensitive) <= 0)
            ++at;
        l->insertItem(at, s);
    } else {
        l->addItem(s);
    }
}

void ListBox::resetContent()
{
    if (auto* l = list()) {
        const QSignalBlocker block(l);
        l->clear();
    }
}

int ListBox::count() const
{
    auto* l = list();
    return l ? l->count() : 0;
}

int ListBox::currentIndex() const
{
    auto* l = list();
    return l ? l->currentRow() : -1;
}

void ListBox::setCurrentIndex(int index)
{
    if (auto* l = list()) {
        const QSignalBlocker block(l);
        l->setCurrentRow(index);
    }
}

std::u16string ListBox::itemText(int index) const
{
    auto* l = list();
    return l && index >= 0 && index < l->count() ? toU16(l->item(index)->text()) : std::u16string();
}

int ListBox::topIndex() const
{
    auto* l = list();
    if (!l || l->count() == 0)
        return 0;
    const auto* item = l->itemAt(2, 2);
    return item ? l->row(item) : 0;
}

// ---------------------------------------------------------------- scroll bar

QScrollBar* ScrollBar::bar() const
{
    return dynamic_cast<QScrollBar*>(widget_.data());
}

void ScrollBar::setRange(int minimum, int maximum)
{
    if (auto* b = bar()) {
        const QSignalBlocker block(b);
        b->setRange(minimum, maximum);
    }
}

int ScrollBar::minimum() const
{
    auto* b = bar();
    return b ? b->minimum() : 0;
}

int ScrollBar::maximum() const
{
    auto* b = bar();
    return b ? b->maximum() : 0;
}

void ScrollBar::setPosition(int position)
{
    if (auto* b = bar()) {
        const QSignalBlocker block(b);
        b->setValue(position);
        b->setSliderPosition(b->value());
    }
}

int ScrollBar::position() const
{
    auto* b = bar();
    return b ? b->value() : 0;
}

// ---------------------------------------------------------------- tree

QTreeWidget* TreeView::tree() const
{
    return dynamic_cast<QTreeWidget*>(widget_.data());
}

TreeItem TreeView::insertItem(TreeItem parent, std::u16string_view text, std::intptr_t data)
{
    auto* t = tree();
    if (!t)
        return nullptr;
    auto* item = parent ? new QTreeWidgetItem(treeItem(parent)) : new QTreeWidgetItem(t);
    item->setText(0, toQString(text));
    item->setData(0, kItemDataRole, QVariant::fromValue<qlonglong>(data));
    return item;
}

void TreeView::deleteAllItems()
{
    if (auto* t = tree()) {
        const QSignalBlocker block(t);
        t->clear();
    }
}

void TreeView::deleteItem(TreeItem item)
{
    auto* t = tree();
    if (!t || !item)
        return;
    const QSignalBlocker block(t);
    delete treeItem(item);
}

std::intptr_t TreeView::itemData(TreeItem item) const
{
    return item ? static_cast<std::intptr_t>(treeItem(item)->data(0, kItemDataRole).toLongLong()) : 0;
}

std::u16string TreeView::itemText(TreeItem item) const
{
    return item ? toU16(treeItem(item)->text(0)) : std::u16string();
}

TreeItem TreeView::parentItem(TreeItem item) const
{
    return item ? treeItem(item)->parent() : nullptr;
}

int TreeView::childCount(TreeItem item) const
{
    if (item)
        return treeItem(item)->childCount();
    auto* t = tree();
    return t ? t->topLevelItemCount() : 0;
}

TreeItem TreeView::child(TreeItem item, int index) const
{
    if (item)
        return treeItem(item)->child(index);
    auto* t = tree();
    return t ? t->topLevelItem(index) : nullptr;
}

TreeItem TreeView::selectedItem() const
{
    auto* t = tree();
    return t ? t->currentItem() : nullptr;
}

void TreeView::selectItem(TreeItem item)
{
    if (auto* t = tree())
        t->setCurrentItem(treeItem(item));
}

void TreeView::expand(TreeItem item, bool expanded)
{
    if (item)
        treeItem(item)->setExpanded(expanded);
}

bool TreeView::isExpanded(TreeItem item) const
{
    return item && treeItem(item)->isExpanded();
}

void TreeView::setItemFont(TreeItem item, const Font* font)
{
    if (item && font)
        treeItem(item)->setFont(0, font->qfont());
}

int TreeView::count() const
{
    auto* t = tree();
    if (!t)
        return 0;
    int n = 0;
    for (QTreeWidgetItemIterator it(t); *it; ++it)
        ++n;
    return n;
}

// ---------------------------------------------------------------- tabs

QTabBar* TabControl::bar() const
{
    return dynamic_cast<QTabBar*>(widget_.data());
}

int TabControl::insertItem(int position, std::u16string_view text)
{
    auto* b = bar();
    if (!b)
        return -1;
    const QSignalBlocker block(b);
    return b->insertTab(position, toQString(text));
}

int TabControl::count() const
{
    auto* b = bar();
    return b ? b->count() : 0;
}

int TabControl::currentIndex() const
{
    auto* b = bar();
    return b ? b->currentIndex() : -1;
}

void TabControl::setCurrentIndex(int index)
{
    if (auto* b = bar()) {
        const QSignalBlocker block(b);
        b->setCurrentIndex(index);
    }
}

std::u16string TabControl::itemText(int index) const
{
    auto* b = bar();
    return b ? toU16(b->tabText(index)) : std::u16string();
}

// ---------------------------------------------------------------- factory

Control* createControl(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    const int id = t.id;
    QWidget* widget = nullptr;
    Control* control = nullptr;
    switch (t.kind) {
    case ControlKind::Static:
    case ControlKind::Picture: {
        auto* w = new StaticWidget(dialog, t, parent);
        widget = w;
        auto* c = new StaticControl(dialog, &t, w);
        control = c;
        w->setGeometry(px.x, px.y, px.width, px.height);
        if (t.kind == ControlKind::Picture && t.picture > 0)
            if (auto bitmap = loadBitmap(t.picture))
                w->setImage(bitmap->image());
        break;
    }
    case ControlKind::Button: {
        auto* b = new QPushButton(toQString(t.text), parent);
        QObject::connect(b, &QPushButton::clicked, b, [dialog, id] { dialog->sendCommand(id, kClicked); });
        if (t.has(style::kMultiLine))
            b->setStyleSheet(QStringLiteral("text-align: center;"));
        widget = b;
        control = new Button(dialog, &t, b);
        break;
    }
    case ControlKind::OwnerDraw: {
        auto* b = new OwnerDrawWidget(dialog, id, parent);
        widget = b;
        control = new Button(dialog, &t, b);
        break;
    }
    case ControlKind::CheckBox: {
        auto* b = new CheckWidget(dialog, id, toQString(t.text), parent);
        widget = b;
        control = new CheckBox(dialog, &t, b);
        break;
    }
    case ControlKind::Edit: {
        if (t.has(style::kMultiLine)) {
            auto* e = new TextEditWidget(dialog, id, parent);
            e->setVerticalScrollBarPolicy(t.has(style::kVScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            e->setFrameShape(t.has(style::kBorder) ? QFrame::Box : QFrame::NoFrame);
            e->setTabChangesFocus(true);
            widget = e;
        } else {
            auto* e = new LineEditWidget(dialog, id, parent);
            e->setFrame(t.has(style::kBorder));
            e->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = e;
        }
        control = new Edit(dialog, &t, widget);
        break;
    }
    case ControlKind::ComboBox: {
        auto* b = new QComboBox(parent);
        b->setProperty("sorted", t.has(style::kSorted));
        b->setProperty("chosen", -1);
        QObject::connect(b, &QComboBox::activated, b, [dialog, id, b](int index) {
            b->setProperty("chosen", index);
            dialog->sendCommand(id, kSelectionChanged);
        });
        widget = b;
        control = new ComboBox(dialog, &t, b);
        break;
    }
    case ControlKind::ListBox: {
        auto* l = new QListWidget(parent);
        l->setProperty("sorted", t.has(style::kSorted));
        l->setSelectionMode(t.has(style::kNoSelection) ? QAbstractItemView::NoSelection : QAbstractItemView::SingleSelection);
        l->setVerticalScrollBarPolicy(t.has(style::kVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->setFrameShape(t.has(style::kBorder) ? QFrame::Box : QFrame::NoFrame);
        l->setUniformItemSizes(true);
        // Rows longer than the list are cut at its edge, not shortened with dots.
        l->setTextElideMode(Qt::ElideNone);
        if (t.has(style::kNotify)) {
            QObject::connect(l, &QListWidget::currentRowChanged, l, [dialog, id] { dialog->sendCommand(id, kSelectionChanged); });
            QObject::connect(l, &QListWidget::itemDoubleClicked, l, [dialog, id] { dialog->sendCommand(id, kDoubleClicked); });
        }
        widget = l;
        control = new ListBox(dialog, &t, l);
        break;
    }
    case ControlKind::HScrollBar: {
        auto* s = new ScrollWidget(dialog, id, parent);
        s->setRange(0, 100);
        s->setPageStep(1);
        // The bar moves only when the procedure sets the position; every user
        // action becomes a scroll event with the handheld's code.
        QObject::connect(s, &QAbstractSlider::actionTriggered, s, [dialog, id, s](int action) {
            Event e;
            e.kind = EventKind::HorizontalScroll;
            e.controlId = id;
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: e.code = kLineRight; break;
            case QAbstractSlider::SliderSingleStepSub: e.code = kLineLeft; break;
            case QAbstractSlider::SliderPageStepAdd: e.code = kPageRight; break;
            case QAbstractSlider::SliderPageStepSub: e.code = kPageLeft; break;
            case QAbstractSlider::SliderToMinimum: e.code = kLeft; break;
            case QAbstractSlider::SliderToMaximum: e.code = kRight; break;
            case QAbstractSlider::SliderMove: e.code = kThumbTrack; e.position = s->sliderPosition(); break;
            default: return;
            }
            const int before = s->value();
            s->setSliderPosition(before);
            dialog->send(e);
        });
        QObject::connect(s, &QAbstractSlider::sliderReleased, s, [dialog, id, s] {
            Event e;
            e.kind = EventKind::HorizontalScroll;
            e.controlId = id;
            e.code = kThumbPosition;
            e.position = s->sliderPosition();
            dialog->send(e);
        });
        widget = s;
        control = new ScrollBar(dialog, &t, s);
        break;
    }
    case ControlKind::TreeView: {
        auto* tree = new QTreeWidget(parent);
        tree->setHeaderHidden(true);
        tree->setColumnCount(1);
        tree->setRootIsDecorated(t.has(style::kLinesAtRoot));
        tree->setFrameShape(t.has(style::kBorder) ? QFrame::Box : QFrame::NoFrame);
        tree->setIndentation(12);
        QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, [dialog, id](QTreeWidgetItem* current) {
            Event e;
            e.kind = EventKind::Notify;
            e.controlId = id;
            e.code = kTreeSelectionChanged;
            e.itemData = current ? static_cast<std::intptr_t>(current->data(0, kItemDataRole).toLongLong()) : 0;
            dialog->send(e);
        });
        widget = tree;
        control = new TreeView(dialog, &t, tree);
        break;
    }
    case ControlKind::TabControl: {
        auto* bar = new QTabBar(parent);
        bar->setShape(t.has(style::kTabsBottom) ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
        bar->setExpanding(!t.has(style::kRaggedRight));
        bar->setDrawBase(false);
        bar->setUsesScrollButtons(false);
        QObject::connect(bar, &QTabBar::currentChanged, bar, [dialog, id](int) {
            Event e;
            e.kind = EventKind::Notify;
            e.controlId = id;
            e.code = kTabSelectionChanged;
            dialog->send(e);
        });
        widget = bar;
        control = new TabControl(dialog, &t, bar);
        break;
    }
    }
    if (widget->geometry() != QRect(px.x, px.y, px.width, px.height) && t.kind != ControlKind::Picture)
        widget->setGeometry(px.x, px.y, px.width, px.height);
    if (t.kind == ControlKind::Picture && px.width > 0 && widget->width() == 0)
        widget->setGeometry(px.x, px.y, px.width, px.height);
    if (t.kind == ControlKind::ComboBox) {
        // The rectangle's height includes the dropped list; the closed box is
        // as tall as its font needs.
        auto* b = static_cast<QComboBox*>(widget);
        const int closed = std::min(px.height, b->fontMetrics().height() + 8);
        b->setGeometry(px.x, px.y, px.width, closed);
        b->setMaxVisibleItems(std::max(3, (px.height - closed) / std::max(1, b->fontMetrics().height() + 2)));
    }
    if (t.has(style::kDisabled))
        widget->setEnabled(false);
    widget->setVisible(!t.has(style::kHidden));
    return control;
}

} // namespace ui
