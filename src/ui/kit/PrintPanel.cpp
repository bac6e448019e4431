#include "PrintPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace revora {

PrintPanel::PrintPanel(QWidget* parent, const QString& cancelCaption) : OverlayPanel(parent)
{
    view_ = new QPushButton(QStringLiteral("&View/Export report"), this);
    view_->setObjectName("cmdVR");
    direct_ = new QPushButton(QStringLiteral("P&rint directly to printer"), this);
    direct_->setObjectName("cmdPD");
    cancel_ = new QPushButton(cancelCaption, this);
    cancel_->setObjectName("cmdCancel");
    // Alt+W is taken by no other control of any print panel.
    working_ = new QCheckBox(QStringLiteral("Include the &working"), this);
    working_->setObjectName("chkWorking");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    content_ = new QVBoxLayout;
    layout->addLayout(content_);
    layout->addWidget(working_);
    auto* buttons = new QHBoxLayout;
    // The panel takes its natural size, so each button is as wide as its caption needs.
    for (QPushButton* button : {view_, direct_, cancel_})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    connect(view_, &QPushButton::clicked, this, &PrintPanel::viewRequested);
    connect(direct_, &QPushButton::clicked, this, &PrintPanel::directRequested);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
}

bool PrintPanel::includesWorking() const { return working_->isChecked(); }

namespace {

// The first control of `layout`, in its order, that takes the focus from the Tab key.
QWidget* FirstInput(const QLayout* layout)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (QWidget* widget = item->widget()) {
            if (!widget->isHidden() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus))
                return widget;
        } else if (const QLayout* inner = item->layout()) {
            if (QWidget* found = FirstInput(inner))
                return found;
        }
    }
    return nullptr;
}

} // namespace

void PrintPanel::showPanel()
{
    showOnTop();
    // What the screen asks first (the name the printout is made out to) is typed first; Enter
    // then still views the report, as the screen's Enter key says.
    QWidget* first = FirstInput(content_);
    (first ? first : view_)->setFocus(Qt::OtherFocusReason);
}

} // namespace revora
