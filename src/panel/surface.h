#pragma once

#include <QPixmap>
#include <QWidget>

// The window's own surface: the background picture, and the right-button press that opens
// the popup. Presses on controls placed on it do not reach it.
class Surface : public QWidget {
    Q_OBJECT
public:
    Surface(const QPixmap& background, QWidget* parent = nullptr);

signals:
    void rightButtonPressed(const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap m_background;
};
