#include "app/DialogBuilder.h"

#include "app/LanguageBundle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

corvane::Result DialogBuilder::Build(int id)
{
    DialogTemplate t;
    const corvane::Result r = DialogTemplate::Load(id, t);
    if (r.ok())
        Build(t);
    return r;
}

int DialogBuilder::IdOf(const QObject *o) const
{
    for (; o; o = o->parent())
        for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it)
            if (it.value() == o)
                return it.key();
    return 0;
}

QRect DialogBuilder::ToPixels(const QFont &font, const QRect &units)
{
    const QFontMetrics fm(font);
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int cx = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
    const int cy = fm.height();
    return QRect(units.x() * cx / 4, units.y() * cy / 8, units.width() * cx / 4,
                 units.height() * cy / 8);
}

static Qt::Alignment LabelAlignment(const DialogControl &c)
{
    const Qt::Alignment h = c.Has("right") ? Qt::AlignRight : c.Has("center") ? Qt::AlignHCenter : Qt::AlignLeft;
    return h | (c.Has("center") ? Qt::AlignVCenter : Qt::AlignTop);
}

QWidget *DialogBuilder::Create(const DialogControl &c, QButtonGroup *&group)
{
    const QString &k = c.kind;
    if (k == QLatin1String("push") || k == QLatin1String("defpush")) {
        auto *b = new QPushButton(c.text, m_dialog);
        b->setAutoDefault(false);
        b->setDefault(k == QLatin1String("defpush"));
        if (c.id == 1)
            QObject::connect(b, &QPushButton::clicked, m_dialog, &QDialog::accept);
        if (c.id == 2)
            QObject::connect(b, &QPushButton::clicked, m_dialog, &QDialog::reject);
        return b;
    }
    if (k == QLatin1String("radio")) {
        auto *b = new QRadioButton(c.text, m_dialog);
        if (!group || c.Has("group")) {
            group = new QButtonGroup(m_dialog);
            group->setExclusive(true);
        }
        group->addButton(b, group->buttons().size());
        m_groups.insert(c.id, group);
        return b;
    }
    if (k == QLatin1String("check"))
        return new QCheckBox(c.text, m_dialog);
    if (k == QLatin1String("group"))
        return new QGroupBox(c.text, m_dialog);
    if (k == QLatin1String("combo")) {
        auto *cb = new QComboBox(m_dialog);
        cb->addItems(c.items);
        cb->setMaxVisibleItems(12);
        return cb;
    }
    if (k == QLatin1String("edit"))
        return new QLineEdit(c.text, m_dialog);
    if (k == QLatin1String("progress")) {
        auto *p = new QProgressBar(m_dialog);
        p->setTextVisible(false);
        return p;
    }
    if (k == QLatin1String("tree"))
        return new QTreeWidget(m_dialog);
    if (k == QLatin1String("custom"))
        return new QWidget(m_dialog);
    auto *l = new QLabel(c.text, m_dialog);
    l->setAlignment(LabelAlignment(c));
    if (c.Has("sunken"))
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (k == QLatin1String("icon")) {
        l->setPixmap(QPixmap(LanguageBundle::PathOf(c.image)));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return l;
}

void DialogBuilder::Build(const DialogTemplate &t)
{
    m_template = t;
    QFont font(t.fontFamily);
    font.setPointSize(t.fontPoints);
    m_dialog->setFont(font);
    m_dialog->setWindowTitle(t.caption);
    m_dialog->setFixedSize(ToPixels(font, QRect(QPoint(0, 0), t.size)).size());
    QButtonGroup *group = nullptr;
    for (const DialogControl &c : t.controls) {
        if (c.kind != QLatin1String("radio"))
            group = nullptr;
        QWidget *w = Create(c, group);
        QRect r = ToPixels(font, c.rect);
        if (c.kind == QLatin1String("combo")) // the template's height includes the open list
            r.setHeight(w->sizeHint().height());
        w->setGeometry(r);
        w->setEnabled(!c.Has("disabled"));
        if (c.kind == QLatin1String("group"))
            w->lower(); // frames stay behind the controls drawn over them
        if (c.id >= 0) {
            w->setObjectName(QStringLiteral("ctl%1").arg(c.id));
            if (!m_controls.contains(c.id))
                m_controls.insert(c.id, w);
        }
    }
}
