#include "shell/PrintPanel.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace revora {

PrintPanel::PrintPanel(QWidget* parent, const QString& cancelCaption) : OverlayPanel(parent)
{
    view_ = new QPushButton(QStringLiteral("&View/Export report"), this);
    view_->setObjectName("cmdVR");
    direct_ = new QPushButton(QStringLiteral("P&rint directly to printer"), this);
    direct_->setObjectName("cmdPD");
    cancel_ = new QPushButton(cancelCaption, this);
    cancel_->setObjectName("cmdCancel");

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    // The panel takes its natural size, so each button is as wide as its caption needs.
    for (QPushButton* button : {view_, direct_, cancel_})
        layout->addWidget(button);

    connect(view_, &QPushButton::clicked, this, &PrintPanel::viewRequested);
    connect(direct_, &QPushButton::clicked, this, &PrintPanel::directRequested);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
}

void PrintPanel::showPanel()
{
    showOnTop();
    view_->setFocus(Qt::OtherFocusReason);
}

} // namespace revora
