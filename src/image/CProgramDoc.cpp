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
    m_path = CProfileFile::Decode(app.RegistryName());
    app.newDocument = true;
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
    return r;
}

Result CProgramDoc::Save(const QString &path)
{
    Result r = SaveImageFile(path, m_image);
    if (r.ok()) {
        m_path = path;
        m_title = QFileInfo(path).fileName();
    }
    return r;
}
