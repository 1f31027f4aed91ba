// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionaccessible.h"

#include "solutionwindow.h"

namespace {

QAccessibleInterface* accessibleOf(const QString& className, QObject* object) {
    auto* window = qobject_cast<SolutionWindow*>(object);
    return window && className == QLatin1String("SolutionWindow") ? new SolutionAccessible(window)
                                                                  : nullptr;
}

}  // namespace

SolutionAccessible::SolutionAccessible(SolutionWindow* window)
    : QAccessibleWidget(window, QAccessible::Document) {}

void SolutionAccessible::install() {
    static const bool installed = (QAccessible::installFactory(accessibleOf), true);
    Q_UNUSED(installed);
}

QAccessible::State SolutionAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    return s;
}

void* SolutionAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString SolutionAccessible::text(int start, int end) const {
    return plainText().mid(start, end - start);
}

int SolutionAccessible::characterCount() const {
    return static_cast<int>(plainText().size());
}

QString SolutionAccessible::attributes(int offset, int* start, int* end) const {
    *start = *end = offset;
    return {};
}

const QString& SolutionAccessible::plainText() const {
    return static_cast<const SolutionWindow*>(widget())->plainText();
}
