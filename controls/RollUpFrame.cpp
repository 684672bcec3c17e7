#include "RollUpFrame.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace mm {

TRollUpFrame::TRollUpFrame(const QString& caption, QWidget* parent)
    : QFrame(parent), caption_(new QToolButton(this)) {
    setFrameShape(QFrame::StyledPanel);
    caption_->setText(caption);
    caption_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    caption_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);
    layout->addWidget(caption_);
    connect(caption_, &QToolButton::clicked, this, [this] { SetRolledUp(!rolledUp_); });
}

void TRollUpFrame::SetContent(QWidget* content) {
    content_ = content;
    layout()->addWidget(content);
    content->setVisible(!rolledUp_);
}

void TRollUpFrame::SetFullHeight(int height) {
    fullHeight_ = height;
    SetRolledUp(rolledUp_);
}

void TRollUpFrame::SetRolledUp(bool up) {
    rolledUp_ = up;
    if (content_)
        content_->setVisible(!up);
    const int height = up ? caption_->sizeHint().height() + 2 : fullHeight_;
    if (height > 0)
        setFixedHeight(height);
}

} // namespace mm
