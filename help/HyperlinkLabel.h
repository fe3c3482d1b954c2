// Makes a plain label look and act like a link: blue text, a hand cursor,
// underlined while the pointer is over it. A click (a double click counts
// as one) emits activated(); what it opens is the owner's business.
#pragma once

#include <QObject>

class QLabel;

class HyperlinkLabel : public QObject {
    Q_OBJECT
public:
    // The text colour of every link label.
    static const QColor& LinkColour();


    bool Hovered() const { return hovered_; }

signals:
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend HyperlinkLabel* MakeHyperlinkStatic(QLabel* label);
    explicit HyperlinkLabel(QLabel* label);
    void SetHovered(bool hovered);

    QLabel* label_;
    bool hovered_ = false;
    bool pressed_ = false;
};

// Turns `label` into a link; the returned object lives as long as the label.
// Calling it again on the same label returns the first object.
HyperlinkLabel* MakeHyperlinkStatic(QLabel* label);
