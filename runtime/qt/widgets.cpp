// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets.h"

#include <QScrollBar>

#include "colourbutton.h"
#include "textconvert.h"
#include "window/keyboard.h"

using window::ControlDesign;
using window::Kind;

namespace {

QColor toColour(window::Rgb c) {
    return QColor(c.red, c.green, c.blue);
}

QString objectName(Kind kind, int index) {
    static const char* const arrays[] = {"Label1", "Option1", "Text2", "Command1", "Text1"};
    return QString::fromLatin1(arrays[static_cast<int>(kind)]) + u'_' + QString::number(index);
}

// Paints the widget's own background (`Window`) or a text box's (`Base`).
void fillBackground(QWidget* w, QPalette::ColorRole role, window::Rgb colour) {
    QPalette palette = w->palette();
    if (role == QPalette::Window) {
        role = w->backgroundRole();  // Button for option buttons
        w->setAutoFillBackground(true);
    }
    palette.setColor(role, toColour(colour));
    w->setPalette(palette);
}

QWidget* create(const ControlDesign& d, QWidget* form, Controls& controls) {
    const auto i = static_cast<std::size_t>(d.index);
    const QString text = toQString(d.text);
    switch (d.kind) {
        case Kind::Label1: {
            auto* label = new QLabel(text, form);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            fillBackground(label, QPalette::Window, *d.background);
            if (d.index > 0) label->setToolTip(toQString(window::QuantityNames[i - 1]));
            return controls.Label1[i] = label;
        }
        case Kind::Option1:
            controls.Option1[i] = new QRadioButton(text, form);
            fillBackground(controls.Option1[i], QPalette::Window, *d.background);
            return controls.Option1[i];
        case Kind::Text2:
            controls.Text2[i] = new NumberBox(form);
            if (d.background) fillBackground(controls.Text2[i], QPalette::Base, *d.background);
            return controls.Text2[i];
        case Kind::Command1:
            return controls.Command1[i] = new ColourButton(text, toColour(*d.background), form);
        case Kind::Text1: {
            auto* area = new QPlainTextEdit(form);
            area->setPlainText(toDisplayText(d.text));
            area->setReadOnly(d.readOnly);
            area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            if (!d.border) area->setFrameShape(QFrame::NoFrame);
            // Two report lines must fit above the quotation box's top edge.
            area->document()->setDocumentMargin(1);
            return controls.Text1[i] = area;
        }
    }
    return nullptr;
}

}  // namespace

QFont windowFont() {
    return QFont(toQString(window::FontFamily), window::FontPoints);
}

Controls buildControls(QWidget* form) {
    using window::toPixels;
    form->setFixedSize(toPixels(window::ClientWidth), toPixels(window::ClientHeight));
    fillBackground(form, QPalette::Window, window::WindowBackground);
    form->setFont(windowFont());

    Controls controls;
    for (const ControlDesign& d : window::controlDesigns()) {
        const window::ControlRef ref{d.kind, d.index};
        QWidget* w = create(d, form, controls);
        w->setObjectName(objectName(d.kind, d.index));
        w->setGeometry(toPixels(d.left), toPixels(d.top), toPixels(d.width), toPixels(d.height));
        if (d.bold) {
            QFont bold = form->font();
            bold.setWeight(QFont::Bold);
            w->setFont(bold);
        }
        const QString name = toQString(window::accessibleName(ref));
        if (!name.isEmpty()) w->setAccessibleName(name);
        // Focus that Tab never gives is the mouse's (the computed boxes).
        if (window::takesFocus(ref) && !window::tabStop(ref)) w->setFocusPolicy(Qt::ClickFocus);
    }
    return controls;
}
