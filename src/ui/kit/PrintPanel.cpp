#include "PrintPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
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

void PrintPanel::showPanel()
{
    showOnTop();
    view_->setFocus(Qt::OtherFocusReason);
}

} // namespace revora
