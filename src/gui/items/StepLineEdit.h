#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace lh::gui {

// A number typed into a line edit, with small up and down buttons beside it that step the
// number read from the text (as C's atoi reads it) within a range. Unlike a spin box it takes any
// text, so that OK can refuse a number out of range with its own message.
class StepLineEdit : public QWidget {
    Q_OBJECT

public:
    // Children are named `name` + "LineEdit", "UpButton" and "DownButton".
    StepLineEdit(const QString& name, int minimum, int maximum, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    QLineEdit* lineEdit() const { return m_edit; }
    // Adds `delta` to the number shown, kept within the range.
    void stepBy(int delta);

private:
    QLineEdit* m_edit = nullptr;
    int m_minimum;
    int m_maximum;
};

}  // namespace lh::gui
