"""Fields of the DisplayID blocks on the display's build and interface: display device, power
sequencing, transfer characteristics, interface features, stereo and tiles."""
import re

import fields_displayid as did

OPERATING_MODES = [
    'Direct-view reflective, ambient light',
    'Direct-view reflective, ambient light, also has light source',
    'Direct-view reflective, uses light source', 'Direct-view transmissive, ambient light',
    'Direct-view transmissive, ambient light, also has light source',
    'Direct-view transmissive, uses light source', 'Direct-view emissive',
    'Direct-view transflective, backlight off by default',
    'Direct-view transflective, backlight on by default', 'Transparent display, ambient light',
    'Transparent emissive display', 'Projection device using reflective light modulator',
    'Projection device using transmissive light modulator',
    'Projection device using emissive image transducer']
TECHNOLOGIES = {
    'Monochrome CRT': 0x00, 'Standard tricolor CRT': 0x01, 'Other/undefined CRT': 0x02,
    'Passive matrix TN': 0x10, 'Passive matrix cholesteric LC': 0x11,
    'Passive matrix ferroelectric LC': 0x12, 'Other passive matrix LC type': 0x13,
    'Active-matrix TN': 0x14, 'Active-matrix IPS (all types)': 0x15,
    'Active-matrix VA (all types)': 0x16, 'Active-matrix OCB': 0x17,
    'Active-matrix ferroelectric': 0x18, 'Other LC type': 0x1f, 'DC plasma': 0x20,
    'AC plasma': 0x21}
ORIENTATIONS = ['Landscape', 'Portrait', 'Not Fixed', 'Undefined']
ROTATIONS = ['None', 'Can rotate 90 degrees clockwise', 'Can rotate 90 degrees counterclockwise',
             'Can rotate 90 degrees in either direction)']
ZERO_PIXELS = ['Upper Left', 'Upper Right', 'Lower Left', 'Lower Right']
SCANS = ['Not defined',
         'Fast Scan is on the Major (Long) Axis and Slow Scan is on the Minor Axis',
         'Fast Scan is on the Minor (Short) Axis and Slow Scan is on the Major Axis', 'Reserved']
SUB_PIXELS = ['Not defined', 'RGB vertical stripes', 'RGB horizontal stripes',
              'Vertical stripes using primary order', 'Horizontal stripes using primary order',
              'Quad sub-pixels, red at top left', 'Quad sub-pixels, red at bottom left',
              'Delta (triad) RGB sub-pixels', 'Mosaic', 'Quad sub-pixels, RGB + 1 additional color',
              'Five sub-pixels, RGB + 2 additional colors',
              'Six sub-pixels, RGB + 3 additional colors',
              'Clairvoyante, Inc. PenTile Matrix (tm) layout']


def code(table):
    """A code of ours from edid-decode's name of it: its index in `table`."""
    return lambda text: table.index(text) if text in table else None


def device(fields, body, heading, result):
    rest = did.flags_present(result, fields, body, [
        ('backlight_switchable', 'The backlight may be switched on and off'),
        ('backlight_dimmable', "The backlight's intensity can be controlled")]) \
        if fields else body
    technology = [line for line in rest if line.startswith('Display Device Technology: ')]
    for line in technology:
        if line[27:] in TECHNOLOGIES:
            result.same('technology', int(fields['technology'], 16), TECHNOLOGIES[line[27:]])
        else:
            result.skip('display technology of a class: edid-decode names the class')
    did.labelled(fields, [line for line in rest if line not in technology], result, {
        'Display operating mode': ('operating_mode', code(OPERATING_MODES)),
        'Display native pixel format': (('native_width', 'native_height'), did.numbers),
        '  Aspect Ratio': ('aspect_ratio', did.number),
        '  Default Orientation': ('orientation', code(ORIENTATIONS)),
        '  Rotation Capability': ('rotation', code(ROTATIONS)),
        '  Zero Pixel Location': ('zero_pixel', code(ZERO_PIXELS)),
        '  Scan Direction': ('scan_direction', code(SCANS)),
        'Sub-pixel layout/configuration/shape': ('sub_pixel_layout', code(SUB_PIXELS)),
        'Horizontal and vertical dot/pixel pitch': (('h_pitch_mm', 'v_pitch_mm'), did.numbers),
        'Color bit depth': ('colour_bit_depth', did.integer)}, [
        (r'Aspect ratio and orientation:', lambda m: None),
        (r'Response time for (white-to-black|black-to-white) transition: (\d+) ms', lambda m: (
            did.same(result, fields, 'response_white_to_black', m[1] == 'white-to-black'),
            did.same(result, fields, 'response_time_ms', int(m[2]))))])


def power(fields, body, heading, result):
    table = {'Power Sequence T1 Range': (('t1_min_ms', 't1_max_ms'), did.numbers)}
    for n in (2, 3):
        table['Power Sequence T%d Range' % n] = ('t%d_max_ms' % n, lambda t: did.numbers(t)[1])
    for n in (4, 5, 6):
        table['Power Sequence T%d Min' % n] = ('t%d_min_ms' % n, did.number)
    did.labelled(fields, body, result, table)


def transfer(fields, body, heading, result):
    curves = iter(fields.get('curves', []))

    def curve(m):
        c = next(curves, None)
        if c is None:
            result.wrong('a curve more than ours')
            return
        text = m[2].strip()
        if p := re.match(r'A0=(\d+) A1=(\d+) A2=(\d+) A3=(\d+) Gamma=([\d.]+)$', text):
            result.same('curve', [c.get(k) for k in ('a0', 'a1', 'a2', 'a3', 'gamma')],
                        [int(p[1]), int(p[2]), int(p[3]), int(p[4]), float(p[5])])
        else:
            result.same('curve', c.get('percent', []) + [100.0],
                        [float(v) for v in text.split()])
    did.by_rules(fields, body, result, [
        (r'Transfer Characteristics Data Block Identifier: (\d+)', lambda m: did.same(
            result, fields, 'transfer_id', int(m[1]))),
        (r"The first curve is the 'white' transfer characteristic", lambda m: None),
        (r'Individual response curves', lambda m: None),
        (r'(White curve|Response curve #-?\d+):(.*)', curve)])
    if 'first_is_white' in fields:
        result.same('first_is_white', fields['first_is_white'],
                    "The first curve is the 'white' transfer characteristic" in body)
        result.same('individual', fields['individual'], 'Individual response curves' in body)
    if not any(line.startswith('Transfer Characteristics') for line in body):
        did.same(result, fields, 'transfer_id', 0)
    for c in curves:
        result.wrong('a curve edid-decode does not show: %r' % c)


def depths(text, audio=False):
    out = []
    for item in text.split(', '):
        if m := re.match(r'Undefined \((\d+)\)$', item):
            out.append('bit %d' % (7 - int(m[1]) if audio else int(m[1])))
        else:
            out.append(int(item) if item.isdigit() and not audio else item)
    return out


COMBINATIONS = {'sRGB': 'srgb', 'BT.601': 'bt601', 'BT.709/BT.1886': 'bt709-bt1886',
                'Adobe RGB': 'adobe-rgb', 'DCI-P3': 'dci-p3', 'BT.2020': 'bt2020',
                'BT.2020/SMPTE ST 2084': 'bt2020-st2084'}
SPACES = ['Undefined', 'sRGB', 'BT.601', 'BT.709', 'Adobe RGB', 'DCI-P3', 'BT.2020', 'Custom']
OUR_SPACES = ['undefined', 'srgb', 'bt601', 'bt709', 'adobe-rgb', 'dci-p3', 'bt2020', 'custom']
EOTFS = ['Undefined', 'sRGB', 'BT.601', 'BT.1886', 'Adobe RGB', 'DCI-P3', 'BT.2020',
         'Gamma function', 'SMPTE ST 2084', 'Hybrid Log', 'Custom']
OUR_EOTFS = ['undefined', 'srgb', 'bt601', 'bt1886', 'adobe-rgb', 'dci-p3', 'bt2020', 'gamma',
             'smpte-st2084', 'hybrid-log', 'custom']


def additional_text(pairs):
    out = []
    for p in pairs:
        space = SPACES[OUR_SPACES.index(p['colour_space'])] \
            if p['colour_space'] in OUR_SPACES else 'Out of range'
        eotf = EOTFS[OUR_EOTFS.index(p['eotf'])] if p['eotf'] in OUR_EOTFS else 'Out of range'
        out.append(space if space == eotf else space + '/' + eotf)
    return ', '.join(out)


def features(fields, body, heading, result):
    def listed(key, m, audio=False, names=None):
        seen.add(key)
        theirs = depths(m[1], audio)
        if names:
            theirs = [names.get(t, t) for t in theirs]
        did.same(result, fields, key, theirs)
    seen = set()
    did.by_rules(fields, body, result, [
        (r'Supported bpc for RGB encoding: (.*)', lambda m: listed('rgb_bpc', m)),
        (r'Supported bpc for YCbCr 4:4:4 encoding: (.*)', lambda m: listed('ycbcr444_bpc', m)),
        (r'Supported bpc for YCbCr 4:2:2 encoding: (.*)', lambda m: listed('ycbcr422_bpc', m)),
        (r'Supported bpc for YCbCr 4:2:0 encoding: (.*)', lambda m: listed('ycbcr420_bpc', m)),
        (r'Minimum pixel rate at which YCbCr 4:2:0 encoding is supported: ([\d.]+) MHz',
         lambda m: (seen.add('ycbcr420_min_mhz'),
                    did.same(result, fields, 'ycbcr420_min_mhz', float(m[1])))),
        (r'Supported audio capability and features \(kHz\): (.*)', lambda m: listed(
            'audio_rates_khz', m, audio=True)),
        (r'Supported color space and EOTF standard combination 1: (.*)', lambda m: listed(
            'colour_eotf', m, names=COMBINATIONS)),
        (r'Supported color space and EOTF standard combination 2: (.*)', lambda m: listed(
            'colour_eotf_2', m)),
        (r'Supported color space and EOTF additional combinations:(.*)', lambda m: (
            seen.add('additional'),
            result.same('additional', additional_text(fields.get('additional', [])), m[1])))])
    for key in ('rgb_bpc', 'ycbcr444_bpc', 'ycbcr422_bpc', 'ycbcr420_bpc', 'audio_rates_khz',
                'colour_eotf', 'colour_eotf_2', 'additional'):
        if key in fields and key not in seen:
            result.same(key, fields[key], [])
    if 'ycbcr420_min_mhz' not in seen and 'ycbcr420_min_mhz' in fields:
        did.same(result, fields, 'ycbcr420_min_mhz', None)


SCOPES = {'Timings that explicitly report 3D capability': 'explicit',
          'Timings that explicitly report 3D capability & Timing Codes listed here':
          'explicit-and-codes', 'All listed timings': 'all',
          'Only Timings Codes listed here': 'codes-only'}
MIRRORING = {'No mirroring': 'none', 'Left/Right mirroring': 'left-right',
             'Top/Bottom mirroring': 'top-bottom', 'Reserved': 'reserved'}


def stereo(fields, body, heading, result):
    pattern = []
    codes = []
    real_same = did.same

    def same(result, fields, key, value):
        if key in fields or key in ('format', 'scope'):
            real_same(result, fields, key, value)
        else:
            result.skip("stereo parameters past the block's end: edid-decode reads on")

    def timing(line):
        codes.append(line)
    did.by_rules(fields, body, result, [
        (r'(Timings that explicitly.*|All listed timings|Only Timings Codes listed here)',
         lambda m: same(result, fields, 'scope', SCOPES.get(m[1]))),
        (r'Field Sequential Stereo \(L/R Polarity: (0/1|1/0)\)', lambda m: (
            same(result, fields, 'format', 'field-sequential'),
            same(result, fields, 'left_on_1', m[1] == '0/1'))),
        (r'Side-by-side Stereo \(Left Half = (Left|Right) Eye View\)', lambda m: (
            same(result, fields, 'format', 'side-by-side'),
            same(result, fields, 'first_half', m[1].lower()))),
        (r'Stacked Frame Stereo \(Top Half = (Left|Right) Eye View\)', lambda m: (
            same(result, fields, 'format', 'stacked'),
            same(result, fields, 'first_half', m[1].lower()))),
        (r'Pixel Interleaved Stereo:', lambda m: same(result, fields, 'format',
                                                          'pixel-interleaved')),
        (r'  ([LR]{8})', lambda m: pattern.append(
            '0x%02x' % int(m[1].replace('L', '1').replace('R', '0'), 2))),
        (r'Dual Interface, Left and Right Separate', lambda m: same(
            result, fields, 'format', 'dual-interface')),
        (r'  Carries the (Left|Right)-eye view', lambda m: same(result, fields, 'carries',
                                                                   m[1].lower())),
        (r'  (No mirroring|Left/Right mirroring|Top/Bottom mirroring|Reserved)', lambda m: (
            same(result, fields, 'mirroring', MIRRORING[m[1]]))),
        (r'Multi-View: (\d+) views, Interleaving Method Code: (\d+)', lambda m: (
            same(result, fields, 'format', 'multi-view'),
            same(result, fields, 'views', int(m[1])),
            same(result, fields, 'interleaving', int(m[2])))),
        (r'(Proprietary|Reserved)', lambda m: same(result, fields, 'format',
                                                       m[1].lower())),
        (r'((?:DMT|VIC|HDMI VIC).*)', lambda m: timing(m[1]))])
    if fields.get('format') == 'pixel-interleaved':
        same(result, fields, 'pattern', pattern)
    ours = [(g['code_type'], c) for g in fields.get('code_groups', []) for c in g['codes']]
    did.same_codes(result, ours, did.codes_of(codes, result))


BEHAVIOURS = {'Undefined': 'undefined', 'Image is displayed at the Tile Location': 'at-location',
              'Image is scaled to fit the entire tiled display': 'scaled',
              'Image is cloned to all other tiles': 'cloned', 'Reserved': 'reserved'}


def tiled(fields, body, heading, result):
    bezels = {}
    did.labelled(fields, body, result, {
        '  Behavior if it is the only tile': ('single_tile', did.named(BEHAVIOURS)),
        '  Behavior if more than one tile and fewer than total number of tiles': (
            'some_tiles', did.named(BEHAVIOURS)),
        'Num horizontal tiles': (('tiles_h', 'tiles_v'), did.numbers),
        'Tile location': (('tile_x', 'tile_y'), did.numbers),
        'Tile resolution': (('tile_width', 'tile_height'), did.numbers),
        'Tiled Display Manufacturer/Vendor ID': ('vendor', str),
        'Tiled Display Product ID Code': ('product_code', did.integer),
        'Tiled Display Serial Number': ('serial_number', did.integer)}, [
        (r'Capabilities:', lambda m: None),
        (r'Tiled display consists of (a single|multiple) physical display enclosures?',
         lambda m: did.same(result, fields, 'single_enclosure', m[1] == 'a single')),
        (r'(Top|Bottom|Right|Left) bezel size: ([\d.]+) pixels', lambda m: bezels.update(
            {m[1].lower(): float(m[2])}))])
    if not fields:
        return
    ours = fields.get('bezel_pixels')
    if bezels or ours:
        # A multiplier of 0 gives bezels of 0, which edid-decode leaves out.
        result.same('bezel_pixels', ours, bezels or {k: 0.0 for k in ours})
    did.absent(result, fields, body, 'serial_number', 'Tiled Display Serial', 0)


INTERFACES = {'Analog 15HD/VGA': 'vga', 'Analog VESA NAVI-V (15HD)': 'navi-v',
              'Analog VESA NAVI-D': 'navi-d', 'LVDS': 'lvds', 'TMDS': 'tmds', 'RSDS': 'rsds',
              'DVI-D': 'dvi-d', 'DVI-I, analog': 'dvi-i-analog', 'DVI-I, digital': 'dvi-i-digital',
              'HDMI-A': 'hdmi-a', 'HDMI-B': 'hdmi-b', 'MDDI': 'mddi', 'DisplayPort': 'displayport',
              'Proprietary Digital Interface': 'proprietary'}
SPREADS = {'None': 'none', 'Down Spread': 'down', 'Center Spread': 'center'}
# The interface's own lines, "LVDS ..." or "PDI ...", and what each says of ours.
SIGNALS = [(r'(Fixed|DE) Mode', 'fixed_mode', 'Fixed'),
           (r'(?:(High|Low) Signal Level|DE Polarity Active (High|Low))', 'signal_low', 'Low'),
           (r'Shift Clock Data Strobe at (Rising|Falling) Edge', 'strobe_rising', 'Rising')]


def interface(fields, body, heading, result):
    def spread(m):
        did.same(result, fields, 'spread_spectrum', did.named(SPREADS)(m[1]))
        if m[2]:
            did.same(result, fields, 'spread_percent', float(m[2]))
        else:
            result.skip('spread amount without a spread: edid-decode leaves it out')

    def signal(m):
        for pattern, key, value in SIGNALS:
            if s := re.match(pattern + '$', m[2]):
                return did.same(result, fields, key, value in s.groups())
        if s := re.match(r'supports ([\d.]+V)$', m[2]):
            return volts.append(s[1])
        did.unaccounted(m[0], result)
    volts = []
    listed = {key: (key, depths) for key in ('rgb_bpc', 'ycbcr444_bpc', 'ycbcr422_bpc')}
    did.labelled(fields, body, result, {
        'Interface Type': ('interface', did.named(INTERFACES)),
        'Number of Links': ('links', did.integer),
        'Interface Standard Version': ('version', str),
        'Supported bpc for RGB encoding': listed['rgb_bpc'],
        'Supported bpc for YCbCr 4:4:4 encoding': listed['ycbcr444_bpc'],
        'Supported bpc for YCbCr 4:2:2 encoding': listed['ycbcr422_bpc'],
        'Supported Content Protection': (('content_protection', 'content_protection_version'),
                                         lambda t: ['none', None] if t == 'None'
                                         else [t.split()[0].lower(), t.split()[1]]),
        'LVDS Color Mapping': ('lvds_6bit_compatible', lambda t: t.startswith('6 bit'))}, [
        (r'Spread Spectrum: (None|Down Spread|Center Spread|Reserved) ?([\d.]+)?%?', spread),
        (r'(LVDS|PDI) (.*)', signal)])
    if fields.get('interface') == 'lvds':
        did.same(result, fields, 'lvds_voltages', volts)
    for key in listed:
        if key in fields and not any(line.startswith('Supported bpc for ' + {
                'rgb_bpc': 'RGB', 'ycbcr444_bpc': 'YCbCr 4:4:4',
                'ycbcr422_bpc': 'YCbCr 4:2:2'}[key]) for line in body):
            result.same(key, fields[key], [])


BY_TAG = {0x0c: device, 0x0f: interface, 0x0d: power, 0x0e: transfer, 0x10: stereo, 0x27: stereo, 0x12: tiled,
          0x28: tiled, 0x26: features}
