#pragma once

// The plan as one web page, in the interface language (the catalogue
// installed): a single HTML file that any current browser
// shows without a network. It carries the 3-D library, the page's own script
// and style, the models as an embedded GLB (WebGlb.h), a list of the models
// with a show/hide box and an opacity slider each, the planning tables and
// the camera of the plan.

#include "GltfCamera.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class ModelClass;

// A table of the page, as the planning numbers give it.
struct WebPageTable
{
    QString title;
    QStringList header;
    QList<QStringList> rows;
    QString note;
};

struct WebPage
{
    QString title;                    // the page's heading
    QString language = "en";          // the page's language tag
    QList<const ModelClass *> models; // the scene's models (their children go with them)
    GltfCamera camera;                // the view the page opens with and returns to
    QList<WebPageTable> tables;       // the planning tables, in order
};

// Why this build cannot write a web page (its 3-D library was not there
// when it was built); empty when it can.
QString webPageUnavailable();

// Writes the page under the chosen name cut at its first "." with ".html",
// through a partial file that replaces an earlier page only when complete.
// Returns 0; 1 for a model whose cells name vertices it does not have; 2 when
// the file cannot be opened or committed (or the build has no 3-D library);
// 4 when the scene is too large. An empty name writes nothing.
qint32 writeWebPage(const WebPage &page, const QString &fileName);
