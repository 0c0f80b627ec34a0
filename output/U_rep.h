#pragma once

#include <QWidget>
#include <memory>

namespace data {
class Dataset;
}

namespace output {
class ReportPainter;
class ReportPreview;
} // namespace output

// The report form: never shown itself, it carries the printed register's definition and its
// preview window. Created once at start with the register query.
class TF_QRep : public QWidget {
    Q_OBJECT
public:
    explicit TF_QRep(data::Dataset& Quchot, QWidget* parent = nullptr);
    ~TF_QRep() override;

    // Builds the report from the register query as it stands (its filter and order), shows it in
    // the preview and returns when the preview is closed; meanwhile the program goes on handling
    // the user's input, so the main window stays usable. The register is left on its last row.
    // Called again while the preview is open, it brings the open preview to the front and returns.
    void Preview();

    // The report over the register's current rows, dated today in the program-wide short date
    // format; walks the register to its last row.
    std::unique_ptr<output::ReportPainter> prepare();

    // Closes an open preview (the main window does so when it closes).
    void closePreview();
    bool isPreviewOpen() const;

    output::ReportPreview& preview() const { return *preview_; }

private:
    data::Dataset& Quchot_;
    output::ReportPreview* preview_;
    bool inPreview_ = false;
};

// The program's one instance, set while the program runs.
extern TF_QRep* F_QRep;
