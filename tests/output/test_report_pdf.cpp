#include "test_report_pdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
constexpr double mmPerPoint = 25.4 / 72.0;

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString unescape(QString s)
{
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}
} // namespace

PdfInfo readPdfInfo(const QString& path)
{
    const QString out = run(QStringLiteral("pdfinfo"), {path});
    PdfInfo info;
    const auto pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(out);
    if (pages.hasMatch())
        info.pages = pages.captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption)
                          .match(out);
    if (size.hasMatch()) {
        info.widthMm = size.captured(1).toDouble() * mmPerPoint;
        info.heightMm = size.captured(2).toDouble() * mmPerPoint;
    }
    return info;
}

std::vector<PdfWord> readPdfWords(const QString& path)
{
    const QString out = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    std::vector<PdfWord> words;
    static const QRegularExpression tag(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int page = -1;
    for (auto it = tag.globalMatch(out); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        PdfWord w;
        w.page = page;
        w.left = m.captured(1).toDouble() * mmPerPoint;
        w.top = m.captured(2).toDouble() * mmPerPoint;
        w.right = m.captured(3).toDouble() * mmPerPoint;
        w.bottom = m.captured(4).toDouble() * mmPerPoint;
        w.text = unescape(m.captured(5));
        words.push_back(w);
    }
    return words;
}

std::vector<PdfWord> wordsOnPage(const std::vector<PdfWord>& words, int page)
{
    std::vector<PdfWord> out;
    for (const PdfWord& w : words)
        if (w.page == page)
            out.push_back(w);
    return out;
}

std::optional<PdfWord> findWord(const std::vector<PdfWord>& words, int page, const QString& text)
{
    for (const PdfWord& w : words)
        if (w.page == page && w.text == text)
            return w;
    return std::nullopt;
}
