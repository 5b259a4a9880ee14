#pragma once

// A label whose text reads upwards (bottom to top), centred in the widget.

#include <QColor>
#include <QWidget>

namespace clvn {

class TRotatedLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor)

public:
    explicit TRotatedLabel(QWidget *parent = nullptr);
    explicit TRotatedLabel(const QString &text, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    QColor textColor() const { return m_color; }
    void setTextColor(const QColor &color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_text;
    QColor m_color;
};

} // namespace clvn
