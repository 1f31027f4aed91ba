#include "reportarea.h"

#include "textconvert.h"

void ReportArea::setText(std::u16string text) {
    text_ = std::move(text);
    edit_->setPlainText(toDisplayText(text_));
}
