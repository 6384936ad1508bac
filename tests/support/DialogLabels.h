#pragma once

#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace lh::test {

// The texts of every label in `dialog`, sorted: what a dialog says, whatever its layout.
inline QStringList labels(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
    }
    texts.sort();
    return texts;
}

}  // namespace lh::test
