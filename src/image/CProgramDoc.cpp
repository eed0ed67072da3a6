#include "image/CProgramDoc.h"

#include "app/AppState.h"
#include "image/DataFile.h"
#include "image/Texts.h"

#include <QFileInfo>

using namespace corvane;

bool CProgramDoc::OnNewDocument(AppState &app)
{
    m_image = MemoryImage::newImage();
    m_title = Txt::ChannelTitle.text(app.chinese);
    m_path.clear();
    app.newDocument = true;
    SetModifiedFlag(false);
    return true;
}

Result CProgramDoc::OnOpenDocument(const QString &path, AppState &app)
{
    MemoryImage loaded;
    Result r = LoadImageFile(path, loaded);
    if (!r.ok())
        return r;
    m_image = loaded;
    m_path = path;
    m_title = QFileInfo(path).fileName();
    app.newDocument = false;
    SetModifiedFlag(false);
    return r;
}

Result CProgramDoc::Save(const QString &path)
{
    Result r = SaveImageFile(path, m_image);
    if (r.ok()) {
        m_path = path;
        m_title = QFileInfo(path).fileName();
        SetModifiedFlag(false);
    }
    return r;
}

void CProgramDoc::SetModifiedFlag(bool modified)
{
    if (modifiedSet)
        modifiedSet(modified);
    if (m_modified == modified)
        return;
    m_modified = modified;
    if (modifiedChanged)
        modifiedChanged(modified);
}
