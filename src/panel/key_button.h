#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A keypad key that shows its drawn face instead of text.
class KeyButton : public QAbstractButton {
    Q_OBJECT
public:
    KeyButton(const QPixmap& face, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_face;
};
