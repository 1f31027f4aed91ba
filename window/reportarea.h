#pragma once

#include <QPlainTextEdit>

#include <string>

#include "calc/sphere.h"

// The report area as the calculation sees it: one text with CR LF line
// ends, shown in a text widget.
class ReportArea : public calc::TextArea {
public:
    ReportArea(QPlainTextEdit* edit, std::u16string_view initial) : edit_(edit), text_(initial) {}

    std::u16string text() const override { return text_; }
    void setText(std::u16string text) override;

private:
    QPlainTextEdit* edit_;
    std::u16string text_;
};
