// The bookmark list as a PDF. The texts go into a QTextDocument as plain
// text (never as markup), which lays them out in pages of the body's size;
// each page is then drawn with its foot line.
#include "cli/BookmarkPdf.h"

#include "cli/BookmarkTransfer.h"
#include "cli/Entry.h"
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"
#include "resources/CliTexts.h"
#include "resources/ResultsTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QDate>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace cli {

namespace {

// DejaVu Sans (a dependency of the package) has every letter of the guide.
constexpr char kFace[] = "DejaVu Sans";
constexpr int kResolution = 300;
constexpr double kMarginMm = 20;
constexpr int kTitlePoints = 18;
constexpr int kWinePoints = 13;
constexpr int kBodyPoints = 10;
constexpr int kSectionPoints = 9;
constexpr int kFootPoints = 8;
constexpr int kWineGapPoints = 14;

QString qtext(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

struct PrintedBookmark {
    BookmarkRow row;
    ShownEntry entry;
    bool entryFound = false;
};

class ListWriter {
public:
    explicit ListWriter(QTextDocument& document) : cursor_(&document) {}

    void title(std::u16string_view text) { paragraph(text, kTitlePoints, true, 0); }
    void line(std::u16string_view text) { paragraph(text, kBodyPoints, false, 0); }

    void bookmark(const PrintedBookmark& b, double gap)
    {
        const std::u16string_view keyword = b.entryFound ? std::u16string_view(b.entry.keyword) : b.row.keyword;
        paragraph(keyword, kWinePoints, true, gap);
        if (b.entryFound)
            paragraph(b.entry.header, kBodyPoints, true, 0);
        labelled(texts::cli::kDescriptionLabel, b.row.description);
        labelled(texts::cli::kNoteLabel, b.row.note);
        if (!b.entryFound)
            return;
        section(texts::results::kTabs[0], b.entry.info);
        section(texts::results::kTabs[1], b.entry.vintages);
    }

private:
    void paragraph(std::u16string_view text, int points, bool bold, double gapAbove)
    {
        QTextBlockFormat block;
        block.setTopMargin(gapAbove);
        QTextCharFormat chars;
        chars.setFontPointSize(points);
        chars.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        if (first_)
            cursor_.setBlockFormat(block);
        else
            cursor_.insertBlock(block);
        first_ = false;
        cursor_.insertText(qtext(plainText(text, true)), chars);
    }

    void labelled(std::u16string_view label, std::u16string_view text)
    {
        if (text.empty())
            return;
        paragraph(label, kBodyPoints, true, 0);
        QTextCharFormat chars;
        chars.setFontPointSize(kBodyPoints);
        chars.setFontWeight(QFont::Normal);
        cursor_.insertText(qtext(plainText(text, true)), chars);
    }

    void section(std::u16string_view name, std::u16string_view text)
    {
        paragraph(name, kSectionPoints, true, kSectionPoints / 2.0);
        // The view's texts end in a line break; the next paragraph makes its own.
        std::u16string body = plainText(text, true);
        while (!body.empty() && (body.back() == u'\n' || body.back() == u' '))
            body.pop_back();
        paragraph(body, kBodyPoints, false, 0);
    }

    QTextCursor cursor_;
    bool first_ = true;
};

bool readPrintedBookmarks(WineDatabase& db, std::vector<PrintedBookmark>& printed)
{
    std::vector<BookmarkRow> rows;
    if (!readBookmarkRows(db, rows))
        return false;
    for (BookmarkRow& row : rows) {
        PrintedBookmark b{std::move(row), {}, false};
        const Outcome outcome = readEntry(db, b.row.id, b.entry);
        if (outcome == Outcome::GuideFailed)
            return false;
        b.entryFound = outcome == Outcome::Done;
        printed.push_back(std::move(b));
    }
    return true;
}

void fillDocument(QTextDocument& document, const std::vector<PrintedBookmark>& printed, double gap)
{
    ListWriter writer(document);
    writer.title(texts::cli::kPdfTitle);
    if (printed.empty())
        writer.line(texts::cli::kPdfNoBookmarks);
    for (const PrintedBookmark& b : printed)
        writer.bookmark(b, gap);
}

// Lays the document out in pages of the body and draws each with its foot:
// the page number on the left, the date on the right.
bool drawPages(QPdfWriter& pdf, QTextDocument& document)
{
    QFont foot(QString::fromLatin1(kFace));
    foot.setPointSize(kFootPoints);
    const QFontMetrics footMetrics(foot, &pdf);
    const QRect page = pdf.pageLayout().paintRectPixels(pdf.resolution());
    const int footHeight = footMetrics.height() * 2;
    const QSizeF body(page.width(), page.height() - footHeight);
    document.setPageSize(body);
    const int pages = document.pageCount();
    const QString date =
        qtext(text::format(texts::cli::kPdfDate, {QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdU16String()}));

    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            pdf.newPage();
        painter.save();
        painter.translate(0, -i * body.height());
        document.drawContents(&painter, QRectF(QPointF(0, i * body.height()), body));
        painter.restore();
        painter.setFont(foot);
        const QRect footArea(0, page.height() - footMetrics.height(), page.width(), footMetrics.height());
        painter.drawText(footArea, Qt::AlignLeft | Qt::AlignVCenter, qtext(text::format(texts::cli::kPdfPage, {i + 1, pages})));
        painter.drawText(footArea, Qt::AlignRight | Qt::AlignVCenter, date);
    }
    return painter.end();
}

bool writePdf(QIODevice& device, const std::vector<PrintedBookmark>& printed)
{
    QPdfWriter pdf(&device);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    pdf.setResolution(kResolution);
    pdf.setTitle(qtext(texts::cli::kPdfTitle));
    pdf.setCreator(qtext(texts::cli::kPdfCreator));

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&pdf);
    QFont body(QString::fromLatin1(kFace));
    body.setPointSize(kBodyPoints);
    document.setDefaultFont(body);
    const double gap = QFontMetrics(body, &pdf).height() * kWineGapPoints / double(kBodyPoints);
    fillDocument(document, printed, gap);
    return drawPages(pdf, document);
}

} // namespace

int printBookmarks(WineDatabase& db, const std::u16string& path, const Console& console)
{
    std::vector<PrintedBookmark> printed;
    if (!readPrintedBookmarks(db, printed)) {
        reportGuideFailure(console, db.lastFailure());
        return kExitFailed;
    }
    std::unique_ptr<QGuiApplication> application;
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "vinaria";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    if (!saveWhole(path, [&](QIODevice& device) { return writePdf(device, printed); }, console))
        return kExitFailed;
    writeLine(console.err, text::format(texts::cli::kPdfWritten, {path}));
    return kExitDone;
}

} // namespace cli
