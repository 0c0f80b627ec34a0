#pragma once

namespace output {

// One page of the printed register: which row bands it carries and whether the title band
// (title line and column headings) stands above them.
struct ReportPage {
    int index = 0;
    bool hasTitle = false;
    int firstBand = 0;       // index of the first row band on the page
    int bandCount = 0;
};

// How the row bands fall onto pages: the title band opens the first page, and a row band that
// no longer fits goes to the top of the next page. An empty register still prints one empty
// row band. Preview, printing and PDF all ask this for page k, so no page is built in advance.
class ReportPagination {
public:
    explicit ReportPagination(int rowCount);

    static int bandsOnFirstPage();   // 18
    static int bandsOnLaterPage();   // 21

    int rowCount() const { return rows_; }
    int bandCount() const;           // the rows, or the one empty band of an empty register
    int pageCount() const;
    ReportPage page(int index) const;    // index in [0, pageCount())

private:
    int rows_;
};

} // namespace output
