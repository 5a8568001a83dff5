#include "editor/DialogFields.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

TNumberEdit::TNumberEdit(const QString& name, int maxLength, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    if (maxLength > 0) {
        setMaxLength(maxLength);
    }
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9-]*")), this));
}

std::optional<int> DigitsValue(const QString& text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

TUpDown::TUpDown(const QString& name, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_min(minimum), m_max(std::max(minimum, maximum)), m_position(minimum) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("up"));
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setObjectName(QStringLiteral("down"));
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setFixedSize(16, 11);
        layout->addWidget(arrow);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDown::SetRange(int minimum, int maximum) {
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    SetPosition(m_position);
}

void TUpDown::SetPosition(int position) {
    m_position = std::clamp(position, m_min, m_max);
    showPosition();
}

void TUpDown::SetAssociate(QLineEdit* edit) {
    m_associate = edit;
    connect(edit, &QLineEdit::textChanged, this, &TUpDown::associateTextChanged);
    // Leaving the field shows the limited value in place of what was typed.
    connect(edit, &QLineEdit::editingFinished, this, &TUpDown::showPosition);
    edit->installEventFilter(this);
    showPosition();
}

void TUpDown::Step(int direction) {
    const long long moved =
        static_cast<long long>(m_position) + static_cast<long long>(direction) * m_increment;
    m_position = static_cast<int>(std::clamp<long long>(moved, m_min, m_max));
    showPosition();
    emit clicked();
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_associate && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TUpDown::showPosition() {
    if (m_associate == nullptr) {
        return;
    }
    const QString text = QString::number(m_position);
    if (m_associate->text() != text) {
        m_showing = true;
        m_associate->setText(text);
        m_showing = false;
    }
}

void TUpDown::associateTextChanged(const QString& text) {
    if (m_showing) {
        return;
    }
    // What was typed stays in the field until it is left; only the position
    // is held to the range.
    if (const std::optional<int> value = DigitsValue(text)) {
        m_position = std::clamp(*value, m_min, m_max);
    }
    emit edited();
}

QWidget* MakeFieldPair(TNumberEdit* edit, TUpDown* upDown, QWidget* parent) {
    upDown->SetAssociate(edit);
    auto* pair = new QWidget(parent);
    auto* layout = new QHBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    edit->setParent(pair);
    upDown->setParent(pair);
    layout->addWidget(edit);
    layout->addWidget(upDown);
    return pair;
}

void SetDialogFrame(QDialog& dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    if (dialog.layout() != nullptr) {
        dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

void CentreOnParent(QDialog& dialog) {
    QRect area;
    if (const QWidget* parent = dialog.parentWidget()) {
        area = parent->window()->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        QRect frame(QPoint(), dialog.frameGeometry().size());
        frame.moveCenter(area.center());
        dialog.move(frame.topLeft());
    }
}
