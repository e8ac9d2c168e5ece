#pragma once

#include "graph-viewer/CGraphData.h"
#include "graph-viewer/CGraphScript.h"
#include "graph-viewer/CGraphTemplate.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

/// A graph ready to draw: the script's titles, its table as curves and the template's look.
class CGraphPicture
{
public:
    /// Reads a script with its table and the template it opens (the defaults when the
    /// template is missing). False, with the reason in error, when the script or its table
    /// cannot be read or the template is refused (see CGraphTemplate::load).
    bool load(const QByteArray& scriptText, QString* error);

    /// Draws the graph into area.
    void paint(QPainter& painter, const QRectF& area) const;
    /// The graph as a picture of the template's size.
    QImage image() const;

    /// The X-axis title: the script's, else the template's, else the table's header (the row
    /// label of a sample-size table, "Power(%)" of a power table).
    QString xTitle() const;
    /// The Y-axis title: the script's, else the template's, else the row label of a power
    /// table.
    QString yTitle() const;

    const CGraphScript& script() const { return m_script; }
    const CGraphData& data() const { return m_data; }
    const CGraphTemplate& look() const { return m_template; }

private:
    CGraphScript m_script;
    CGraphData m_data;
    CGraphTemplate m_template;
};
