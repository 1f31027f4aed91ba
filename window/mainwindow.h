#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

#include "calc/cylinder.h"
#include "controls.h"
#include "platform/calculationerror.h"
#include "reportarea.h"

// The program's one window: built from the design table, it keeps the
// selected variant and reacts to the option buttons, "Изчисли" and
// "Изчисти". A calculation error ends the handler where it happens and
// goes to the reporter; nothing typed is lost.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    // `reporter` receives calculation errors; without one, errors show in
    // a message box.
    explicit MainWindow(platform::ErrorReporter* reporter = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    const Controls& controls() const { return controls_; }
    std::optional<std::int16_t> selectedVariant() const { return SelectedVariant; }
    // The report area's text as written, with CR LF line ends.
    std::u16string reportText() const { return report_.text(); }

private:
    void onLoad();
    void onOptionClicked(int k);
    void onCommandClicked(int n);

    void calculate();
    void clearGrid();
    QLineEdit* box(int k, calc::Column c) const;

    Controls controls_;
    ReportArea report_;
    std::unique_ptr<platform::ErrorReporter> ownReporter_;
    platform::ErrorReporter* reporter_;
    char16_t separator_;

    std::optional<std::int16_t> SelectedVariant;  // empty acts as variant 0
    std::int16_t LastBoxIndex = 0;
};
