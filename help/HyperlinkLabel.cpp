#include "help/HyperlinkLabel.h"

#include <QColor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

const QColor& HyperlinkLabel::LinkColour() {
    static const QColor colour(0, 0, 192);
    return colour;
}

HyperlinkLabel* MakeHyperlinkStatic(QLabel* label) {
    if (auto* existing = label->findChild<HyperlinkLabel*>(QString(), Qt::FindDirectChildrenOnly)) return existing;
    return new HyperlinkLabel(label);
}

HyperlinkLabel::HyperlinkLabel(QLabel* label) : QObject(label), label_(label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, LinkColour());
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    // The label's text is shown, never interpreted or followed by Qt itself.
    label->setTextFormat(Qt::PlainText);
    label->setOpenExternalLinks(false);
    label->setAttribute(Qt::WA_Hover, true);
    label->installEventFilter(this);
}

void HyperlinkLabel::SetHovered(bool hovered) {
    if (hovered_ == hovered) return;
    hovered_ = hovered;
    QFont font = label_->font();
    font.setUnderline(hovered);
    label_->setFont(font);
}

bool HyperlinkLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != label_) return false;
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::HoverEnter: SetHovered(true); break;
    case QEvent::Leave:
    case QEvent::HoverLeave: SetHovered(false); break;
    case QEvent::Hide:
    case QEvent::EnabledChange:
        if (!label_->isVisible() || !label_->isEnabled()) SetHovered(false);
        break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) pressed_ = true;
        return true;
    case QEvent::MouseButtonDblClick:
        // Its first click has opened the link already.
        pressed_ = false;
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return true;
        const bool click = pressed_ && label_->rect().contains(mouse->position().toPoint());
        pressed_ = false;
        if (click && label_->isEnabled()) emit activated();
        return true;
    }
    default: break;
    }
    return false;
}
