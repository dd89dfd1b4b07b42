#!/usr/bin/env python3
"""Draws the skin's images: writes each one as SVG, then renders it to PNG at
1x and 2x ("@2x", which Qt picks on high-density screens) with rsvg-convert
(Debian package librsvg2-bin). Run it after changing a drawing; the PNGs are
committed so that building needs no SVG support."""

import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
SVG_DIR = os.path.join(HERE, "svg")

ACCENT = "#3da9fc"
ACCENT_DEEP = "#1f78c8"
CLOSE_RED = "#e5484d"
CLOSE_DEEP = "#b3262b"
GLYPH = "#9aa5b8"
GLYPH_BRIGHT = "#ffffff"
FACE_TOP = "#262c37"
FACE_BOTTOM = "#1a1e26"
EDGE = "#323a48"


def svg(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}"><defs>{defs}</defs>{body}</svg>\n')


def gradient(name, top, bottom):
    return (f'<linearGradient id="{name}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/></linearGradient>')


# Window buttons, 20 x 20: a small rounded key with a thin glyph.
WINDOW_GLYPHS = {
    "close": '<path d="M6.5 6.5 L13.5 13.5 M13.5 6.5 L6.5 13.5"/>',
    "enlarge": '<rect x="6" y="6" width="8" height="8" rx="1.2"/>',
    "minimise": '<path d="M6 13.5 H14"/>',
    "tray": '<path d="M10 5.5 V11.5 M7.3 9 L10 11.8 L12.7 9 M6 14.5 H14"/>',
    # A push pin: the window stays pinned above the others.
    "ontop": '<path d="M8 4.5 H12 M8.8 4.5 V8.6 L6.6 11 H13.4 L11.2 8.6 V4.5 M10 11 V15.8"/>',
}


def window_button(glyph, hover, danger):
    if hover:
        top, bottom, edge, ink = (CLOSE_RED, CLOSE_DEEP, CLOSE_RED, GLYPH_BRIGHT) if danger else (
            ACCENT, ACCENT_DEEP, ACCENT, GLYPH_BRIGHT)
    else:
        top, bottom, edge, ink = FACE_TOP, FACE_BOTTOM, EDGE, GLYPH
    defs = gradient("face", top, bottom)
    body = (f'<rect x="0.5" y="0.5" width="19" height="19" rx="5" fill="url(#face)" stroke="{edge}"/>'
            f'<g fill="none" stroke="{ink}" stroke-width="1.6" stroke-linecap="round" '
            f'stroke-linejoin="round">{glyph}</g>')
    return svg(20, 20, body, defs)


# Toolbar buttons, 44 x 44: a rounded pad with a glyph drawn on a 24 x 24 grid
# centred in it.
TOOLBAR_GLYPHS = {
    "radio": '<rect x="3" y="8" width="18" height="12" rx="2.5"/>'
             '<path d="M7 8 L16 3.5"/><circle cx="8.5" cy="14" r="2.6"/>'
             '<path d="M14 12 H18 M14 15 H18 M14 18 H16.5"/>',
    "tv": '<rect x="3" y="6" width="18" height="12.5" rx="2.2"/>'
          '<path d="M9 2.8 L12 6 L15 2.8 M8 21.5 H16"/>',
    "favourites": '<path d="M12 3.2 L14.6 8.8 L20.7 9.5 L16.2 13.6 L17.4 19.7 L12 16.6 L6.6 19.7 '
                  'L7.8 13.6 L3.3 9.5 L9.4 8.8 Z"/>',
    "stop": '<rect x="6" y="6" width="12" height="12" rx="2.2"/>',
    "refresh": '<path d="M19 12 A7 7 0 1 1 16.9 7"/><path d="M17.6 2.8 L17.2 7.4 L12.7 7"/>',
    # A gear: the teeth are dashes of a thick circular stroke.
    "options": '<circle cx="12" cy="12" r="7.2" stroke-width="3.4" stroke-dasharray="2.83 2.83" '
               'stroke-linecap="butt"/><circle cx="12" cy="12" r="5.4"/><circle cx="12" cy="12" r="2"/>',
}


def toolbar_button(glyph, hover):
    if hover:
        defs = (gradient("face", "#1e4e7c", "#143556")
                + '<filter id="glow" x="-30%" y="-30%" width="160%" height="160%">'
                  '<feGaussianBlur stdDeviation="1.2"/></filter>')
        pad = (f'<rect x="1" y="1" width="42" height="42" rx="11" fill="url(#face)" stroke="{ACCENT}" '
               f'stroke-width="1.2"/>')
        ink = GLYPH_BRIGHT
        halo = (f'<g transform="translate(10 10)" fill="none" stroke="{ACCENT}" stroke-width="3" '
                f'stroke-linecap="round" stroke-linejoin="round" opacity="0.8" filter="url(#glow)">{glyph}</g>')
    else:
        defs = gradient("face", FACE_TOP, FACE_BOTTOM)
        pad = f'<rect x="1" y="1" width="42" height="42" rx="11" fill="url(#face)" stroke="{EDGE}"/>'
        ink = "#b4bfd0"
        halo = ""
    body = (pad + halo + f'<g transform="translate(10 10)" fill="none" stroke="{ink}" stroke-width="1.8" '
            f'stroke-linecap="round" stroke-linejoin="round">{glyph}</g>')
    return svg(44, 44, body, defs)


def browser_arrow(up, hover):
    points = "9,17 14,11 19,17" if up else "9,11 14,17 19,11"
    if hover:
        face = (gradient("face", ACCENT, ACCENT_DEEP), ACCENT, GLYPH_BRIGHT)
    else:
        face = (gradient("face", FACE_TOP, FACE_BOTTOM), EDGE, "#b4bfd0")
    body = (f'<circle cx="14" cy="14" r="13" fill="url(#face)" stroke="{face[1]}"/>'
            f'<polyline points="{points}" fill="none" stroke="{face[2]}" stroke-width="2.2" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')
    return svg(28, 28, body, face[0])


def scroll_ball():
    defs = (f'<radialGradient id="ball" cx="0.38" cy="0.32" r="0.7">'
            f'<stop offset="0" stop-color="#d6efff"/><stop offset="0.35" stop-color="{ACCENT}"/>'
            f'<stop offset="1" stop-color="#0f4f8a"/></radialGradient>')
    return svg(14, 14, '<circle cx="7" cy="7" r="6.3" fill="url(#ball)" stroke="#0b2c4d" stroke-width="0.8"/>',
               defs)


def resize_grip():
    dots = "".join(f'<circle cx="{x}" cy="{y}" r="1.1"/>'
                   for x, y in [(12, 4), (8, 8), (12, 8), (4, 12), (8, 12), (12, 12)])
    return svg(16, 16, f'<g fill="{GLYPH}">{dots}</g>')


def refresh_icon():
    return svg(16, 16, f'<g fill="none" stroke="{ACCENT}" stroke-width="1.6" stroke-linecap="round" '
                       f'stroke-linejoin="round"><path d="M13 8 A5 5 0 1 1 11.5 4.5"/>'
                       f'<path d="M12.3 1.6 L11.9 4.9 L8.7 4.5"/></g>')


def list_icon(glyph, ink):
    """A favourite's type beside its name, 16 x 16: a toolbar glyph, scaled."""
    return svg(16, 16, f'<g transform="scale(0.6667)" fill="none" stroke="{ink}" stroke-width="2.1" '
                       f'stroke-linecap="round" stroke-linejoin="round">{glyph}</g>')


def delete_button(hover):
    """The delete control of a favourites row, 16 x 16: a cross in a ring."""
    if hover:
        ring = f'<circle cx="8" cy="8" r="7.2" fill="{CLOSE_RED}" stroke="{CLOSE_DEEP}"/>'
        ink = GLYPH_BRIGHT
    else:
        ring = '<circle cx="8" cy="8" r="7.2" fill="#0c0e12" stroke="#46505f"/>'
        ink = GLYPH
    return svg(16, 16, ring + f'<path d="M5.4 5.4 L10.6 10.6 M10.6 5.4 L5.4 10.6" fill="none" stroke="{ink}" '
                              f'stroke-width="1.6" stroke-linecap="round"/>')


def check_box(checked, state):
    """state: normal, hover, disabled."""
    if checked:
        fill = "#3a4250" if state == "disabled" else (ACCENT if state == "hover" else ACCENT_DEEP)
        edge = "#3a4250" if state == "disabled" else ACCENT
        tick = ('<polyline points="4.2,8.4 7,11.1 11.9,5.2" fill="none" stroke="#ffffff" '
                'stroke-width="1.9" stroke-linecap="round" stroke-linejoin="round"/>')
    else:
        fill = "#0c0e12"
        edge = "#2a303b" if state == "disabled" else (ACCENT if state == "hover" else "#46505f")
        tick = ""
    return svg(16, 16, f'<rect x="0.75" y="0.75" width="14.5" height="14.5" rx="4" fill="{fill}" '
                       f'stroke="{edge}" stroke-width="1.3"/>{tick}')


def option_button(checked, state):
    edge = "#2a303b" if state == "disabled" else (ACCENT if (state == "hover" or checked) else "#46505f")
    dot = ""
    if checked:
        colour = "#5b6575" if state == "disabled" else ACCENT
        dot = f'<circle cx="8" cy="8" r="3.6" fill="{colour}"/>'
    return svg(16, 16, f'<circle cx="8" cy="8" r="7.1" fill="#0c0e12" stroke="{edge}" stroke-width="1.3"/>{dot}')


def combo_arrow():
    return svg(10, 6, f'<polyline points="1,1 5,5 9,1" fill="none" stroke="{GLYPH}" stroke-width="1.6" '
                      f'stroke-linecap="round" stroke-linejoin="round"/>')


def message_icon(kind):
    """The message boxes' icons: information, warning, critical, question."""
    colours = {"information": (ACCENT, ACCENT_DEEP), "question": (ACCENT, ACCENT_DEEP),
               "warning": ("#f5b940", "#c98a12"), "critical": (CLOSE_RED, CLOSE_DEEP)}
    top, bottom = colours[kind]
    ink = '<g fill="none" stroke="#ffffff" stroke-width="3.4" stroke-linecap="round" stroke-linejoin="round">'
    if kind == "information":
        glyph = ink + '<path d="M16 14.5 V23"/></g><circle cx="16" cy="9.5" r="2.1" fill="#ffffff"/>'
    elif kind == "question":
        glyph = (ink + '<path d="M11.8 11.6 A4.3 4.3 0 1 1 17.6 15.6 C16.4 16.3 16 17 16 18.6"/></g>'
                 '<circle cx="16" cy="23.3" r="2.1" fill="#ffffff"/>')
    elif kind == "warning":
        glyph = ink + '<path d="M16 9 V17.5"/></g><circle cx="16" cy="22.8" r="2.1" fill="#ffffff"/>'
    else:
        glyph = ink + '<path d="M11 11 L21 21 M21 11 L11 21"/></g>'
    if kind == "warning":
        shape = '<path d="M16 2.5 L30 28 H2 Z" fill="url(#face)" stroke-linejoin="round" stroke="url(#face)" stroke-width="2.5"/>'
        glyph = glyph.replace('cy="22.8"', 'cy="23.2"')
    else:
        shape = '<circle cx="16" cy="16" r="14.5" fill="url(#face)"/>'
    return svg(32, 32, shape + glyph, gradient("face", top, bottom))


def app_icon():
    """Ondavox: a play sign sending out sound waves, on a deep blue tile."""
    defs = (gradient("tile", "#2b8fe6", "#0d2c52")
            + '<linearGradient id="shine" x1="0" y1="0" x2="0" y2="1">'
              '<stop offset="0" stop-color="#ffffff" stop-opacity="0.25"/>'
              '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></linearGradient>')
    body = ('<rect x="8" y="8" width="240" height="240" rx="54" fill="url(#tile)"/>'
            '<path d="M8 62 A54 54 0 0 1 62 8 H194 A54 54 0 0 1 248 62 V110 Q128 150 8 110 Z" fill="url(#shine)"/>'
            '<path d="M78 78 L148 128 L78 178 Z" fill="#ffffff" stroke="#ffffff" stroke-width="14" '
            'stroke-linejoin="round"/>'
            '<g fill="none" stroke="#ffffff" stroke-width="14" stroke-linecap="round">'
            '<path d="M170 98 A42 42 0 0 1 170 158" opacity="0.95"/>'
            '<path d="M196 74 A76 76 0 0 1 196 182" opacity="0.7"/></g>')
    return svg(256, 256, body, defs)


def images():
    for name, glyph in WINDOW_GLYPHS.items():
        yield name, window_button(glyph, False, False), None
        yield name + "-hover", window_button(glyph, True, name == "close"), None
    for name, glyph in TOOLBAR_GLYPHS.items():
        yield name, toolbar_button(glyph, False), None
        yield name + "-hover", toolbar_button(glyph, True), None
    yield "arrow-up", browser_arrow(True, False), None
    yield "arrow-up-hover", browser_arrow(True, True), None
    yield "arrow-down", browser_arrow(False, False), None
    yield "arrow-down-hover", browser_arrow(False, True), None
    yield "scroll-ball", scroll_ball(), None
    yield "resize-grip", resize_grip(), None
    yield "refresh-icon", refresh_icon(), None
    yield "combo-arrow", combo_arrow(), None
    yield "favourite-radio", list_icon(TOOLBAR_GLYPHS["radio"], ACCENT), None
    yield "favourite-tv", list_icon(TOOLBAR_GLYPHS["tv"], "#f5b940"), None
    yield "delete", delete_button(False), None
    yield "delete-hover", delete_button(True), None
    for checked in (False, True):
        for state in ("normal", "hover", "disabled"):
            suffix = ("on" if checked else "off") + ("" if state == "normal" else "-" + state)
            yield "check-" + suffix, check_box(checked, state), None
            yield "option-" + suffix, option_button(checked, state), None
    for kind in ("information", "question", "warning", "critical"):
        yield "message-" + kind, message_icon(kind), None
    yield "ondavox", app_icon(), [16, 24, 32, 48, 64, 128, 256]


def render(svg_path, png_path, width):
    subprocess.run(["rsvg-convert", "-w", str(width), "-o", png_path, svg_path], check=True)


def main():
    os.makedirs(SVG_DIR, exist_ok=True)
    for name, text, sizes in images():
        svg_path = os.path.join(SVG_DIR, name + ".svg")
        with open(svg_path, "w", encoding="utf-8") as out:
            out.write(text)
        if sizes:
            for size in sizes:
                render(svg_path, os.path.join(HERE, f"{name}-{size}.png"), size)
            continue
        width = int(text.split('width="', 1)[1].split('"', 1)[0])
        render(svg_path, os.path.join(HERE, name + ".png"), width)
        render(svg_path, os.path.join(HERE, name + "@2x.png"), 2 * width)
    write_resource_list()


def write_resource_list():
    """skin.qrc, next to this folder, lists every PNG and the style sheet
    under ":/skin/"."""
    files = sorted(f for f in os.listdir(HERE) if f.endswith(".png")) + ["ondavox.qss"]
    lines = ["<RCC>", '    <qresource prefix="/skin">']
    lines += [f'        <file alias="{f}">images/{f}</file>' for f in files]
    lines += ["    </qresource>", "</RCC>", ""]
    with open(os.path.join(os.path.dirname(HERE), "skin.qrc"), "w", encoding="utf-8") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main()
