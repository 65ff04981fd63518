// The help pages' source format, turned into HTML.
//
//   title: Page title            (first lines: header fields)
//   lang: fr
//   # Heading                    h1
//   ## Heading {#id}             h2 with an anchor; "@contents Title" lists every h2
//   ### Heading                  h3
//   - item / 1. item             lists; a line indented by two blanks continues the item
//   | a | b |                    table rows; a row of dashes under the first makes it a header
//   @diagram name Caption        a board diagram from img/name.png
//   blank line                   ends a paragraph
// Inside text: **bold**, [text](target) links, and HTML's special characters as they are.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace help {

struct Page {
    QString html;
    QStringList diagrams;  // names used, in order
    QStringList errors;    // "line N: what"
};

Page to_html(const QString& source, const QSet<QString>& known_diagrams);

}  // namespace help
