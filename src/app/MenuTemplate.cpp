#include "app/MenuTemplate.h"

#include "app/LanguageBundle.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using corvane::Result;
using corvane::Status;

namespace {

Result Reject(const QString &what, int id, const QString &why)
{
    return Result::fail(Status::Rejected, QStringLiteral("%1 %2: %3").arg(what).arg(id).arg(why));
}

// The value stored under the resource id, or a rejection.
Result Section(const QByteArray &json, const QString &what, int id, QJsonValue &out)
{
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        return Reject(what, id, QStringLiteral("not a JSON object (%1)").arg(err.errorString()));
    out = doc.object().value(QString::number(id));
    if (out.isUndefined())
        return Reject(what, id, QStringLiteral("missing"));
    return Result::success();
}

Result ReadEntry(const QJsonObject &o, int id, MenuEntry &e)
{
    e.separator = o.value(QStringLiteral("separator")).toBool(false);
    if (e.separator)
        return Result::success();
    e.text = o.value(QStringLiteral("text")).toString();
    e.id = o.value(QStringLiteral("id")).toInt(0);
    if (e.text.isEmpty() || e.id <= 0)
        return Reject(QStringLiteral("menu"), id, QStringLiteral("an entry needs a text and a command id"));
    return Result::success();
}

Result Load(const QString &file, QByteArray &json)
{
    QFile f(LanguageBundle::PathOf(file));
    if (!f.open(QIODevice::ReadOnly))
        return Result::fail(Status::FileError, QStringLiteral("language bundle has no ") + file);
    json = f.readAll();
    return Result::success();
}

} // namespace

namespace MenuTemplate {

Result ParseMenu(const QByteArray &json, int id, std::vector<MenuEntry> &out)
{
    QJsonValue v;
    Result r = Section(json, QStringLiteral("menu"), id, v);
    if (!r.ok())
        return r;
    std::vector<MenuEntry> menus;
    for (const QJsonValue &pv : v.toArray()) {
        const QJsonObject po = pv.toObject();
        MenuEntry popup;
        popup.text = po.value(QStringLiteral("text")).toString();
        if (popup.text.isEmpty())
            return Reject(QStringLiteral("menu"), id, QStringLiteral("a popup needs a text"));
        for (const QJsonValue &ev : po.value(QStringLiteral("items")).toArray()) {
            MenuEntry e;
            if (!(r = ReadEntry(ev.toObject(), id, e)).ok())
                return r;
            popup.items.push_back(e);
        }
        menus.push_back(popup);
    }
    if (menus.empty())
        return Reject(QStringLiteral("menu"), id, QStringLiteral("has no popups"));
    out = menus;
    return Result::success();
}

Result ParseAccelerators(const QByteArray &json, int id, std::vector<Accelerator> &out)
{
    QJsonValue v;
    Result r = Section(json, QStringLiteral("accelerator table"), id, v);
    if (!r.ok())
        return r;
    std::vector<Accelerator> table;
    for (const QJsonValue &av : v.toArray()) {
        Accelerator a{av.toObject().value(QStringLiteral("key")).toString(),
                      av.toObject().value(QStringLiteral("id")).toInt(0)};
        if (a.key.isEmpty() || a.id <= 0)
            return Reject(QStringLiteral("accelerator table"), id, QStringLiteral("an entry needs a key and an id"));
        table.push_back(a);
    }
    out = table;
    return Result::success();
}

Result ParseToolbar(const QByteArray &json, int id, ToolbarTemplate &out)
{
    QJsonValue v;
    Result r = Section(json, QStringLiteral("toolbar"), id, v);
    if (!r.ok())
        return r;
    const QJsonObject o = v.toObject();
    const QJsonArray size = o.value(QStringLiteral("size")).toArray();
    ToolbarTemplate t;
    t.buttonSize = QSize(size.at(0).toInt(0), size.at(1).toInt(0));
    if (t.buttonSize.isEmpty())
        return Reject(QStringLiteral("toolbar"), id, QStringLiteral("needs a button size"));
    for (const QJsonValue &b : o.value(QStringLiteral("buttons")).toArray())
        t.buttons.push_back(b.toInt(0));
    out = t;
    return Result::success();
}

Result LoadMenu(int id, std::vector<MenuEntry> &out)
{
    QByteArray json;
    Result r = Load(QStringLiteral("menus.json"), json);
    return r.ok() ? ParseMenu(json, id, out) : r;
}

Result LoadAccelerators(int id, std::vector<Accelerator> &out)
{
    QByteArray json;
    Result r = Load(QStringLiteral("accelerators.json"), json);
    return r.ok() ? ParseAccelerators(json, id, out) : r;
}

Result LoadToolbar(int id, ToolbarTemplate &out)
{
    QByteArray json;
    Result r = Load(QStringLiteral("toolbar.json"), json);
    return r.ok() ? ParseToolbar(json, id, out) : r;
}

} // namespace MenuTemplate
