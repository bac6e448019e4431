"""Prints an OpenDocument text file as an office suite reads it, one line per item in order:
    table <columns>       a table and how many columns it declares
    shade <colour>        the table's background, when it has one
    header-rows           the rows that follow repeat at the top of every page
    row <cells>           a row and how many cells (covered ones too) it holds
    cell <border-top>     a cell and its top border ("none" when it has none)
    p <border-bottom>     a paragraph and its bottom border
    text <line>           each line of the paragraph's text, spaces collapsed as the format says
Run with Debian's python3 and python3-odf: OdtOutline.py FILE.odt"""
import re
import sys

from odf.namespaces import FONS, STYLENS, TABLENS, TEXTNS
from odf.opendocument import load


def style_properties(doc):
    """Each named style's properties, all its *-properties elements merged."""
    found = {}
    for styles in (doc.styles, doc.automaticstyles):
        for style in styles.childNodes:
            if style.qname != (STYLENS, "style"):
                continue
            merged = {}
            for child in style.childNodes:
                merged.update(child.attributes)
            found[style.getAttrNS(STYLENS, "name")] = merged
    return found


def border(properties, side):
    value = properties.get((FONS, "border-" + side)) or properties.get((FONS, "border")) or "none"
    return value


class Paragraph:
    """The text of a paragraph: a literal space after another space, or at the start of a
    line, is dropped; <text:s>, <text:tab> and <text:line-break> are always kept."""

    def __init__(self):
        self.text = ""
        self.after_space = True

    def walk(self, element):
        for child in element.childNodes:
            if child.nodeType == child.TEXT_NODE:
                for ch in re.sub(r"[\t\r\n]", " ", child.data):
                    if ch == " " and self.after_space:
                        continue
                    self.text += ch
                    self.after_space = ch == " "
            elif child.qname == (TEXTNS, "s"):
                self.text += " " * int(child.getAttrNS(TEXTNS, "c") or 1)
                self.after_space = True
            elif child.qname == (TEXTNS, "tab"):
                self.text += "\t"
                self.after_space = True
            elif child.qname == (TEXTNS, "line-break"):
                self.text += "\n"
                self.after_space = True
            else:
                self.walk(child)


def outline(element, styles, out):
    for child in element.childNodes:
        if child.nodeType != child.ELEMENT_NODE:
            continue
        name = child.qname
        properties = styles.get(child.getAttrNS(name[0], "style-name"), {}) if name[0] in (TEXTNS, TABLENS) else {}
        if name == (TABLENS, "table"):
            columns = sum(int(c.getAttrNS(TABLENS, "number-columns-repeated") or 1)
                          for c in child.childNodes if c.qname == (TABLENS, "table-column"))
            out.append("table\t%d" % columns)
            if (FONS, "background-color") in properties:
                out.append("shade\t" + properties[(FONS, "background-color")])
        elif name == (TABLENS, "table-header-rows"):
            out.append("header-rows")
        elif name == (TABLENS, "table-row"):
            cells = sum(int(c.getAttrNS(TABLENS, "number-columns-repeated") or 1) for c in child.childNodes
                        if c.qname in ((TABLENS, "table-cell"), (TABLENS, "covered-table-cell")))
            out.append("row\t%d" % cells)
        elif name == (TABLENS, "table-cell"):
            out.append("cell\t" + border(properties, "top"))
        elif name in ((TEXTNS, "p"), (TEXTNS, "h")):
            out.append("p\t" + border(properties, "bottom"))
            paragraph = Paragraph()
            paragraph.walk(child)
            out.extend("text\t" + line for line in paragraph.text.split("\n") if line)
            continue
        outline(child, styles, out)


document = load(sys.argv[1])
lines = []
outline(document.text, style_properties(document), lines)
sys.stdout.write("\n".join(lines) + "\n")
