#pragma once
// Shows one picture stretched over the whole box, or nothing.

#include <QImage>
#include <QWidget>

namespace moxilo::app {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);

    // A null image leaves the box showing no picture.
    void setPicture(QImage picture);
    [[nodiscard]] const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace moxilo::app
