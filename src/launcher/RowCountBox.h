#pragma once

#include <QSpinBox>

namespace rimo {

// "ﾎﾞﾀﾝ数": a number typed above the most rows is not refused at its last
// digit (100 would become 10) but taken as the most when the field is left.
class RowCountBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int& pos) const override {
        const QValidator::State state = QSpinBox::validate(input, pos);
        return state == QValidator::Invalid && Above(input) ? QValidator::Intermediate : state;
    }
    void fixup(QString& input) const override {
        if (Above(input)) {
            input = QString::number(maximum());
        } else {
            QSpinBox::fixup(input);
        }
    }

private:
    // At most three digits: a page's label names hold three.
    bool Above(const QString& input) const {
        const QString digits = input.trimmed();
        bool ok = false;
        const int number = digits.toInt(&ok);
        return ok && digits.size() <= 3 && number > maximum();
    }
};

} // namespace rimo
