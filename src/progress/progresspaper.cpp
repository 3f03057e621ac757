#include "progress/progresspaper.h"

#include "progress/factgrid.h"

#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QTextDocument>
#include <QTextOption>
#include <QUrl>

namespace progress {
namespace {

// The chart's width on the page, in the document's pixels: the text width of an upright A4 page.
constexpr int chartWidth = 620;
constexpr qsizetype titleCharactersAtMost = 30;
constexpr qsizetype classNameAtMost = 60;
const QString chartResource = QStringLiteral("progress:chart");

QString factName(int fact)
{
    return QStringLiteral("7 × %1").arg(fact + 1);
}

/// A cell in the fact's colour whose `word` (the fact's word, with what goes above it) says the same.
QString factCell(Confidence confidence, const QString &contents, const QString &style = {})
{
    return QStringLiteral("<td align=\"center\" bgcolor=\"%1\" style=\"%2\">%3</td>")
        .arg(colourOf(confidence).name(), style, contents);
}

/// A name a few lines high at most: a row taller than the rest of the page would break over two.
QString shortenedName(const QString &name)
{
    return name.size() <= classNameAtMost ? name : name.left(classNameAtMost - 1) + u'…';
}

void print(QPagedPaintDevice &device, const QString &html, const QImage &chart = {}, qreal pointSize = 10)
{
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSizeF(pointSize);
    document.setDefaultFont(font);
    // A name with no blank wraps anywhere rather than widen its column past the page.
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(wrapping);
    if (!chart.isNull())
        document.addResource(QTextDocument::ImageResource, QUrl(chartResource), chart);
    document.setHtml(html);
    document.print(&device);
}

void setA4(QPagedPaintDevice &device, QPageLayout::Orientation orientation)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(orientation);
}

} // namespace

void setChildPage(QPagedPaintDevice &device)
{
    setA4(device, QPageLayout::Portrait);
}

void setClassPage(QPagedPaintDevice &device)
{
    setA4(device, QPageLayout::Landscape);
}

void printChild(QPagedPaintDevice &device, const QString &name, const QList<GameResult> &games, const QImage &chart)
{
    const std::array<Answers, factCount> totals = factTotals(games);
    const std::array<Confidence, factCount> confidences = factConfidences(games);
    Answers total;
    for (const GameResult &game : games) {
        total.right += game.total.right;
        total.wrong += game.total.wrong;
    }
    // A name longer than a line of the title stands in bold text, so that the page still holds all the rest.
    QString html =
        (name.size() <= titleCharactersAtMost ? QStringLiteral("<h1>%1</h1>") : QStringLiteral("<p><b>%1</b></p>"))
            .arg(name.toHtmlEscaped());
    if (!games.isEmpty()) {
        html += QStringLiteral("<p>La tabellina del 7: %1, %2.</p>")
                    .arg(gamesCountInWords(games.size()).toLower(), periodOf(games));
    }
    html += QStringLiteral("<h3>%1</h3>").arg(verdictFor(games).toHtmlEscaped());
    html += QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\"></p>")
                .arg(chartResource)
                .arg(chartWidth)
                .arg(chartWidth * chart.height() / std::max(1, chart.width()));
    html += QStringLiteral("<p>In tutte queste partite: %1.</p>").arg(answersInWords(total));
    html += QStringLiteral("<p>La tabellina del 7, fatto per fatto, nelle stesse partite:</p>"
                           "<table border=\"1\" cellspacing=\"0\" cellpadding=\"6\" width=\"100%\">");
    for (int fact = 0; fact < factCount; ++fact) {
        if (fact % 5 == 0)
            html += fact == 0 ? QStringLiteral("<tr>") : QStringLiteral("</tr><tr>");
        html += factCell(confidences[fact],
                         QStringLiteral("<big>%1</big><br>%2<br><b>%3</b>")
                             .arg(factName(fact), answersInWords(totals[fact]), wordFor(confidences[fact])));
    }
    html += QStringLiteral("</tr></table>");
    print(device, html, chart);
}

void printClass(QPagedPaintDevice &device, const QList<ChildSummary> &children)
{
    QString html = QStringLiteral("<h2>Tutta la classe: la tabellina del 7</h2>"
                                  "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">"
                                  "<thead><tr><th width=\"11%\">Nome</th>");
    for (int fact = 0; fact < factCount; ++fact)
        html += QStringLiteral("<th width=\"6.9%\">%1</th>").arg(factName(fact));
    html += QStringLiteral("<th width=\"7%\">Da ripassare</th><th width=\"5%\">Partite</th>"
                           "<th width=\"8%\">Ultima partita</th></tr></thead>");
    for (const ChildSummary &child : children) {
        html += QStringLiteral("<tr><td>%1</td>").arg(shortenedName(child.name).toHtmlEscaped());
        // Each word on one line, so that a row of one line never breaks over two pages.
        for (const Confidence confidence : child.confidences)
            html += factCell(confidence, wordFor(confidence), QStringLiteral("white-space:nowrap"));
        html +=
            QStringLiteral(
                "<td align=\"center\">%1</td><td align=\"center\">%2</td><td style=\"white-space:nowrap\">%3</td></tr>")
                .arg(child.factsToPractise())
                .arg(child.games)
                .arg(dayOf(child.lastGame));
    }
    html += QStringLiteral("</table>");
    // Small enough for "da ripassare" to stand on one line in its column.
    print(device, html, {}, 7);
}

} // namespace progress
