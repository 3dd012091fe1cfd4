// Named entities of the markup: the table, the decoder and the encoder.

#include "grid/markup/RizIVUDE.h"

namespace grid::RizIVUDE {

const TEntity Entities[EntityCount] = {
    {u'é', "&eacute;"}, {u'è', "&egrave;"}, {u'ë', "&euml;"},   {u'ê', "&ecirc;"},  {u'ó', "&oacute;"},
    {u'ò', "&ograve;"}, {u'ö', "&ouml;"},   {u'ô', "&ocirc;"},  {u'í', "&iacute;"}, {u'ì', "&igrave;"},
    {u'ï', "&iuml;"},   {u'î', "&icirc;"},  {u'ú', "&uacute;"}, {u'ù', "&ugrave;"}, {u'ü', "&uuml;"},
    {u'û', "&ucirc;"},  {u'á', "&aacute;"}, {u'à', "&agrave;"}, {u'ä', "&auml;"},   {u'â', "&acirc;"},
    {u'É', "&Eacute;"}, {u'È', "&Egrave;"}, {u'Ë', "&Euml;"},   {u'Ê', "&Ecirc;"},  {u'Ó', "&Oacute;"},
    {u'Ò', "&Ograve;"}, {u'Ö', "&Ouml;"},   {u'Ô', "&Ocirc;"},  {u'Í', "&Iacute;"}, {u'Ì', "&Igrave;"},
    {u'Ï', "&Iuml;"},   {u'Î', "&Icirc;"},  {u'Ú', "&Uacute;"}, {u'Ù', "&Ugrave;"}, {u'Ü', "&Uuml;"},
    {u'Û', "&Ucirc;"},  {u'Á', "&Aacute;"}, {u'À', "&Agrave;"}, {u'Ä', "&Auml;"},   {u'Â', "&Acirc;"},
    {u'ç', "&ccedil;"}, {u'Ç', "&Ccedil;"}, {u'ø', "&oslash;"}, {u'Ø', "&Oslash;"}, {u'å', "&aring;"},
    {u'Å', "&Aring;"},  {u'©', "&copy;"},   {u'®', "&reg;"},    {u'€', "&euro;"},   {u'«', "&laquo;"},
    {u'»', "&raquo;"},
};

QString DecodeEntities(const QString& text, bool all)
{
    QString s = text;
    // The ampersand comes after the brackets so that "&amp;lt;" stays an entity.
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
    s.replace(QLatin1String("&amp;"), QLatin1String("&"));
    s.replace(QLatin1String("&quot;"), QLatin1String("\""));
    if (all)
        for (const TEntity& e : Entities)
            s.replace(QLatin1String(e.Name), QString(e.Char));
    return s;
}

QString EncodeEntities(const QString& text, bool all)
{
    QString s = text;
    s.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    s.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    s.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    s.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    if (all)
        for (const TEntity& e : Entities)
            s.replace(e.Char, QLatin1String(e.Name));
    return s;
}

QString SpacesToNbsp(const QString& text)
{
    QString s = text;
    return s.replace(QLatin1Char(' '), QLatin1String("&nbsp;"));
}

} // namespace grid::RizIVUDE
