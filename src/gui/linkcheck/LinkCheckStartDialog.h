#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QSpinBox;

namespace lh::gui {

// "Check Links": what to check, before anything goes out on the network. Names the category,
// asks whether its sub-categories go too, how old a remembered result may be and whether
// private and local addresses are checked. What OK does is up to the accept handler.
class LinkCheckStartDialog : public QDialog {
    Q_OBJECT

public:
    struct Choice {
        bool withSubcategories = true;
        int freshDays = 7;
        bool allowPrivate = false;
    };
    using AcceptHandler = std::function<void(const Choice&)>;

    LinkCheckStartDialog(const std::string& categoryName, Choice initial,
                         QWidget* parent = nullptr);

    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }
    Choice choice() const;

public slots:
    void accept() override;

private:
    AcceptHandler m_acceptHandler;
    QCheckBox* m_subcategoriesBox = nullptr;
    QSpinBox* m_freshDaysBox = nullptr;
    QCheckBox* m_privateBox = nullptr;
};

}  // namespace lh::gui
