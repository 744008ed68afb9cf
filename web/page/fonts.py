#!/usr/bin/python3
# fonts.py SOURCE OUT_DIR: the page's fonts, subsets of the IPA fonts: ipag-subset.ttf holds ASCII,
# the JIS symbols and kana (rows 1-8), the level-1 kanji (rows 16-47), half-width katakana and
# every character the game's sources use; ipagp-subset.ttf only the glyphs of the proportional
# face that differ from it (the page draws the rest with the first).
import pathlib
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FONTS = pathlib.Path('/usr/share/fonts/opentype/ipafont-gothic')
GAME_FOLDERS = ['app', 'fishing', 'framework', 'quests', 'results', 'shops', 'state', 'resources']


def wanted(source):
    chars = set(range(0x20, 0x7F)) | set(range(0xFF61, 0xFFA0))
    for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
        for trail in range(0x40, 0xFD):
            try:
                ch = bytes([lead, trail]).decode('cp932')
                row = ch.encode('euc_jp')[0] - 0xA0
            except (UnicodeError, IndexError):
                continue
            if 1 <= row <= 8 or 16 <= row <= 47:
                chars.add(ord(ch))
    for folder in GAME_FOLDERS:
        for path in pathlib.Path(source, folder).rglob('*'):
            if path.suffix in ('.cpp', '.h'):
                chars.update(ord(ch) for ch in path.read_text(encoding='utf-8') if ord(ch) >= 0x80)
    return chars


def cut(font_file, chars, out, name):
    options = subset.Options()
    options.hinting = False
    options.layout_features = []
    options.name_IDs = ['*']
    font = TTFont(font_file)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=chars)
    subsetter.subset(font)
    # The IPA Font License: a derived font does not carry the name "IPA".
    for record in font['name'].names:
        if record.nameID in (1, 3, 4, 6, 16, 17, 18):
            record.string = name if record.nameID != 6 else name.replace(' ', '')
    font.save(out)


def differing(a_file, b_file, chars):
    a, b = TTFont(a_file), TTFont(b_file)
    ca, cb = a.getBestCmap(), b.getBestCmap()
    out = set()
    for cp in chars:
        na, nb = ca.get(cp), cb.get(cp)
        if nb is None:
            continue
        if na is None or a['hmtx'][na] != b['hmtx'][nb] or \
                a['glyf'][na].compile(a['glyf']) != b['glyf'][nb].compile(b['glyf']):
            out.add(cp)
    return out


def main():
    source, out = sys.argv[1], pathlib.Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    chars = wanted(source)
    cut(FONTS / 'ipag.ttf', chars, out / 'ipag-subset.ttf', 'Pomuru Gothic')
    cut(FONTS / 'ipagp.ttf', chars, out / 'ipagp-subset.ttf', 'Pomuru PGothic')
    cut(FONTS / 'ipagp.ttf', differing(out / 'ipag-subset.ttf', out / 'ipagp-subset.ttf', chars),
        out / 'ipagp-subset.ttf', 'Pomuru PGothic')


main()
