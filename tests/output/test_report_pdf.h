#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What poppler reads back from a PDF: its pages and every word with its box, in millimetres
// from the paper's top left corner.
struct PdfWord {
    int page = 0;          // 0-based
    QString text;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double centreX() const { return (left + right) / 2; }
};

struct PdfInfo {
    int pages = 0;
    double widthMm = 0;
    double heightMm = 0;
};

PdfInfo readPdfInfo(const QString& path);            // pdfinfo
std::vector<PdfWord> readPdfWords(const QString& path);   // pdftotext -bbox

// The words of one page, and the first word of a page with this text.
std::vector<PdfWord> wordsOnPage(const std::vector<PdfWord>& words, int page);
std::optional<PdfWord> findWord(const std::vector<PdfWord>& words, int page, const QString& text);
