#include "shell/PrintPanel.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace revora {

PrintPanel::PrintPanel(const QString& cancelCaption, QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    view_ = new QPushButton(QStringLiteral("&View/Export report"), this);
    view_->setObjectName("cmdVR");
    direct_ = new QPushButton(QStringLiteral("P&rint directly to printer"), this);
    direct_->setObjectName("cmdPD");
    cancel_ = new QPushButton(cancelCaption, this);
    cancel_->setObjectName("cmdCancel");

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(view_);
    layout->addWidget(direct_);
    layout->addWidget(cancel_);

    connect(view_, &QPushButton::clicked, this, &PrintPanel::viewRequested);
    connect(direct_, &QPushButton::clicked, this, &PrintPanel::directRequested);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void PrintPanel::showPanel()
{
    show();
    raise();
    view_->setFocus();
}

} // namespace revora
