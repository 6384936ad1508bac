#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace lh::gui {

// A short text with "More Info" (the default button: asks for the download page, then closes)
// and a button that only closes. The update check's dialogs are built on it.
class MoreInfoDialog : public QDialog {
    Q_OBJECT

public:
    MoreInfoDialog(const QString& title, const QString& closeText, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;
    void setMoreInfoShown(bool shown);

signals:
    void moreInfoRequested();

private:
    QLabel* m_text = nullptr;
    QPushButton* m_moreInfo = nullptr;
};

}  // namespace lh::gui
