#include "app/DialogTemplate.h"

#include "app/LanguageBundle.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using corvane::Result;
using corvane::Status;

static const QStringList &Kinds()
{
    static const QStringList kinds = {
        QStringLiteral("push"),  QStringLiteral("defpush"), QStringLiteral("static"),
        QStringLiteral("group"), QStringLiteral("radio"),   QStringLiteral("check"),
        QStringLiteral("combo"), QStringLiteral("edit"),    QStringLiteral("progress"),
        QStringLiteral("icon"),  QStringLiteral("tree"),    QStringLiteral("custom")};
    return kinds;
}

static QStringList Strings(const QJsonValue &v)
{
    QStringList out;
    for (const QJsonValue &s : v.toArray())
        out << s.toString();
    return out;
}

// Four non-negative integers x, y, w, h.
static bool ReadRect(const QJsonValue &v, QRect &out)
{
    const QJsonArray a = v.toArray();
    if (a.size() != 4)
        return false;
    for (const QJsonValue &n : a)
        if (!n.isDouble() || n.toInt(-1) < 0)
            return false;
    out = QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
    return true;
}

static Result Reject(const QString &why)
{
    return Result::fail(Status::Rejected, QStringLiteral("dialog template: ") + why);
}

Result DialogTemplate::Parse(const QByteArray &json, DialogTemplate &out)
{
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
    if (err.error != QJsonParseError::NoError)
        return Reject(err.errorString() + QStringLiteral(" at offset ") + QString::number(err.offset));
    if (!doc.isObject())
        return Reject(QStringLiteral("not an object"));
    const QJsonObject o = doc.object();
    DialogTemplate t;
    t.id = out.id;
    t.caption = o.value(QStringLiteral("caption")).toString();
    const QJsonArray font = o.value(QStringLiteral("font")).toArray();
    if (font.size() == 2) {
        t.fontFamily = font[0].toString();
        t.fontPoints = font[1].toInt(9);
    }
    const QJsonArray sz = o.value(QStringLiteral("size")).toArray();
    QRect size;
    if (sz.size() != 2 || !ReadRect(QJsonArray{0, 0, sz[0], sz[1]}, size))
        return Reject(QStringLiteral("size must be two non-negative numbers"));
    t.size = size.size();
    for (const QJsonValue &cv : o.value(QStringLiteral("controls")).toArray()) {
        const QJsonObject c = cv.toObject();
        DialogControl ctl;
        ctl.id = c.value(QStringLiteral("id")).toInt(-1);
        ctl.kind = c.value(QStringLiteral("kind")).toString();
        if (!Kinds().contains(ctl.kind))
            return Reject(QStringLiteral("control %1 has unknown kind \"%2\"").arg(ctl.id).arg(ctl.kind));
        if (!ReadRect(c.value(QStringLiteral("rect")), ctl.rect))
            return Reject(QStringLiteral("control %1 needs rect [x, y, w, h]").arg(ctl.id));
        ctl.text = c.value(QStringLiteral("text")).toString();
        ctl.items = Strings(c.value(QStringLiteral("items")));
        ctl.flags = Strings(c.value(QStringLiteral("flags")));
        ctl.image = c.value(QStringLiteral("image")).toString();
        t.controls.push_back(ctl);
    }
    out = t;
    return Result::success();
}

Result DialogTemplate::Load(int id, DialogTemplate &out)
{
    const QString name = QStringLiteral("dialogs/%1.json").arg(id);
    QFile f(LanguageBundle::PathOf(name));
    if (!f.open(QIODevice::ReadOnly))
        return Result::fail(Status::FileError, QStringLiteral("language bundle has no ") + name);
    DialogTemplate t;
    t.id = id;
    const Result r = Parse(f.readAll(), t);
    if (r.ok())
        out = t;
    return r;
}

const DialogControl *DialogTemplate::Find(int controlId) const
{
    for (const DialogControl &c : controls)
        if (c.id == controlId)
            return &c;
    return nullptr;
}
