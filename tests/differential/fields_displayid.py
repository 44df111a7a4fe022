"""Fields of DisplayID data blocks, versions 1.x and 2.x.

Each comparer walks edid-decode's lines under a block's heading; a line it has no rule for is a
disagreement, so every line is either compared or skipped for a reason of fields-skips/displayid.tsv.
"""
import re

# edid-decode prints clocks and coordinates with six decimals.
SIX = 1.01e-6
# A CVT timing's exact rate, which edid-decode computes, against the rate the block stores.
NOMINAL_RATE = 0.6
HEX_DUMP = re.compile(r"([0-9a-f]{2}(?: [0-9a-f]{2})*)\s+'.*'$")
TIMING = re.compile(r'(DTD|CVT|DMT 0x(\w\w)|VIC\s+(\d+)|HDMI VIC (\d+)):\s+(\d+)x(\d+)(i?)\s+'
                    r'([\d.]+) Hz\s+\d+:\d+\s+([\d.]+) kHz\s+([\d.]+) MHz(?: \((.*)\))?$')
# An interlaced timing's vertical line comes twice, for the odd field and the even one.
DETAIL = re.compile(r'([HV])front\s+(-?\d+) [HV]sync\s+(-?\d+) [HV]back\s+(-?\d+) [HV]pol ([PN])'
                    r'(?: V(?:front|back)\s+\+0\.5 (?:Odd|Even) Field)?$')
STEREO = {'no 3D stereo': 'none', '3D stereo': 'stereo',
          '3D stereo depends on user action': 'user-action', 'reserved': 'reserved'}
FORMULA_FLAGS = {'RB': 'reduced-blanking-1', 'RBv2': 'reduced-blanking-2',
                 'RBv2,video-optimized': 'reduced-blanking-2',
                 'RBv3': 'reduced-blanking-3', 'RBv3,h-blank-160': 'reduced-blanking-3'}
ASPECTS = {'1:1': (1, 1), '5:4': (5, 4), '4:3': (4, 3), '15:9': (15, 9), '16:9': (16, 9),
           '16:10': (16, 10), '64:27': (64, 27), '256:135': (256, 135)}


def half(n):
    """C's integer halving, toward zero."""
    return int(n / 2)


class Lines:
    """edid-decode's lines of one block, each taken by at most one rule."""

    def __init__(self, body, result):
        self.body, self.result, self.at = body, result, 0

    def __iter__(self):
        while self.at < len(self.body):
            self.at += 1
            yield self.body[self.at - 1]

    def peek(self):
        return self.body[self.at] if self.at < len(self.body) else None

    def take(self):
        self.at += 1
        return self.body[self.at - 1]


def unaccounted(line, result):
    if HEX_DUMP.match(line.strip()):
        result.skip('hex dump of a block of the wrong length')
    else:
        result.wrong('line not accounted for: %r' % line)


def by_rules(fields, body, result, rules):
    """Each line matched by the first of `rules` (pattern, compare(match)) that matches it."""
    for line in body:
        for pattern, compare in rules:
            if m := re.match(pattern + '$', line):
                compare(m)
                break
        else:
            unaccounted(line, result)


def same(result, fields, key, value, tolerance=0):
    result.same(key, fields.get(key), value, tolerance)


def flags_of(m):
    return m[11].split(', ') if m[11] else []


def compare_detailed(t, m, details, result, kind):
    result.same('h_active', t['h_active'], int(m[5]))
    result.same('v_active', t['v_active'], int(m[6]))
    result.same('interlaced', t['interlaced'], m[7] == 'i')
    result.same('pixel_clock_khz', t['pixel_clock_khz'] / 1000, float(m[10]), SIX)
    result.skip('rates derived from the clock and totals', 2)
    flags = flags_of(m)
    aspect = flags.pop(0)
    if kind in ('I', 'VII'):
        result.same('aspect', 'aspect ' + t['aspect'], aspect)
    else:
        result.skip('aspect ratio derived from the size')
    result.same('stereo', t['stereo'], STEREO.get(flags.pop(0)))
    result.same('preferred', t['preferred'], 'preferred' in flags)
    if 'ycbcr420' in t:
        result.same('ycbcr420', t['ycbcr420'], 'YCbCr 4:2:0' in flags)
    size = next((f for f in flags if f.endswith(' mm')), None)
    if size or 'image_width_mm' in t:
        result.same('image_size', '%s mm x %s mm' % (t.get('image_width_mm'),
                                                     t.get('image_height_mm')), size)
    rest = [f for f in flags if f not in ('preferred', 'YCbCr 4:2:0', size)]
    if rest:
        result.wrong('timing flags not accounted for: %r' % rest)
    for axis, front, sync, back, pol in details:
        a = axis.lower()
        f, s = t[a + '_front_porch'], t[a + '_sync']
        b = t[a + '_blank'] - f - s
        if a == 'v' and t['interlaced']:
            f, s, b = half(f), half(s), half(b)
        result.same(a + '_front_porch', f, int(front))
        result.same(a + '_sync', s, int(sync))
        result.same(a + '_back_porch', b, int(back))
        if kind == 'II' and a == 'v':
            result.skip('type II vertical polarity: edid-decode reads byte 17')
        else:
            result.same(a + '_sync_positive', t[a + '_sync_positive'], pol == 'P')


def compare_formula(t, m, result, kind):
    flags = flags_of(m)
    formula = FORMULA_FLAGS.get(flags[0]) if flags and flags[0].startswith('RB') else None
    if formula:
        flags.pop(0)
    ours = None if t['formula'] in ('standard', 'reserved') else t['formula']
    if kind == 'V' and ours != 'reduced-blanking-2':
        result.skip('type V formula other than RB2: edid-decode computes RB2')
    else:
        result.same('formula', ours, formula)
    result.same('width', t['width'], int(m[5]))
    if kind == 'III':
        across, down = ASPECTS.get(t['aspect'], (1, 1))
        result.same('height', t['width'] * down // across, int(m[6]))
        result.same('aspect', 'aspect ' + t['aspect'], flags.pop(0))
        if t['interlaced']:
            result.skip('type III interlaced bit: edid-decode makes a progressive timing')
    else:
        result.same('height', t['height'], int(m[6]))
        flags.pop(0)
        result.skip('aspect ratio derived from the size')
    result.same('refresh_hz', t['refresh_hz'], float(m[8]), NOMINAL_RATE)
    result.skip('CVT timing computed from the formula', 2)
    if 'stereo' in t:
        result.same('stereo', t['stereo'], STEREO.get(flags.pop(0)))
    if 'preferred' in t:
        result.same('preferred', t['preferred'], 'preferred' in flags)
    if 'ntsc_rate' in t:
        result.same('ntsc_rate', t['ntsc_rate'],
                    'refresh rate * (1000/1001) supported' in flags)
    if kind == 'X':
        rb2, rb3 = t['formula'] == 'reduced-blanking-2', t['formula'] == 'reduced-blanking-3'
        result.same('ycbcr420', t['ycbcr420'], 'YCbCr 4:2:0' in flags)
        result.same('alternative', t['alternative'] and (rb2 or rb3),
                    'refresh rate * (1000/1001) supported' in flags
                    or 'hblank is 160 pixels' in flags)
        result.same('early_vsync', t['early_vsync'] and rb3, 'early-vsync' in flags)
        delta = t.get('h_blank_delta', 0) if rb3 else 0
        result.same('h_blank_delta', delta,
                    next((int(f[13:]) for f in flags if f.startswith('delta-hblank=')), 0))
        extra = t.get('v_blank_extra', 0) * (20 if t.get('short_min_v_blank') else 35)
        result.same('v_blank_extra', extra if rb3 else 0,
                    next((int(f[11:]) for f in flags if f.startswith('add-vblank=')), 0))
    known = {'preferred', 'YCbCr 4:2:0', 'refresh rate * (1000/1001) supported',
             'hblank is 160 pixels', 'early-vsync'}
    rest = [f for f in flags if f not in known and not f.startswith(('delta-hblank=',
                                                                     'add-vblank='))]
    if rest:
        result.wrong('timing flags not accounted for: %r' % rest)


def timings(kind):
    def compare(fields, body, heading, result):
        lines = Lines(body, result)
        ours = iter(fields['timings'])
        for line in lines:
            if line == 'These timings support DSC pass-through':
                result.same('dsc_passthrough', fields.get('dsc_passthrough'), True)
                continue
            m = TIMING.match(line)
            if not m:
                unaccounted(line, result)
                continue
            t = next(ours, None)
            if t is None:
                result.wrong('a timing more than ours: %r' % line)
                continue
            if m[1] == 'DTD':
                details = []
                while (n := lines.peek()) is not None and (d := DETAIL.match(n.strip())):
                    lines.take()
                    details.append(d.groups())
                compare_detailed(t, m, details, result, kind)
            else:
                compare_formula(t, m, result, kind)
        if 'dsc_passthrough' in fields and 'These timings support DSC pass-through' not in body:
            result.same('dsc_passthrough', fields['dsc_passthrough'], False)
        for t in ours:
            result.wrong('a timing edid-decode does not show: %r' % t)
    return compare


def codes_of(body, result):
    """(type, code) of each DMT, VIC or HDMI VIC line."""
    out = []
    for line in body:
        m = TIMING.match(line)
        if m and m[2]:
            out.append(('dmt', int(m[2], 16)))
        elif m and m[3]:
            out.append(('vic', int(m[3])))
        elif m and m[4]:
            out.append(('hdmi-vic', int(m[4])))
        else:
            unaccounted(line, result)
    return out


def same_codes(result, ours, theirs):
    """edid-decode shows only the codes its tables hold: theirs in our order, the rest skipped."""
    shown = [c for c in ours if c in theirs]
    result.same('codes', shown, theirs)
    if len(ours) > len(shown):
        result.skip('code not in edid-decode\'s tables', len(ours) - len(shown))


def codes(fields, body, heading, result):
    theirs = codes_of(body, result)
    same_codes(result, [(fields['code_type'], c) for c in fields['codes']], theirs)


def bitmap(kind, key):
    def compare(fields, body, heading, result):
        same_codes(result, [(kind, c) for c in fields[key]], codes_of(body, result))
    return compare


def product(fields, body, heading, result):
    if m := re.search(r", PNP ID '(.*)':$", heading):
        same(result, fields, 'vendor', m[1])
    elif m := re.search(r', OUI (\S+):$', heading):
        vendor = fields.get('vendor', '')
        if len(vendor) == 3 and not vendor.isalpha():
            vendor = '-'.join('%02X' % ord(c) for c in vendor)
        reversed_oui = '-'.join(reversed(vendor.split('-')))
        if vendor != m[1] and reversed_oui == m[1]:
            result.skip('OUI stored the other way round: edid-decode shows it reversed')
        else:
            result.same('vendor', vendor, m[1])
    if 'product_code' not in fields:
        result.skip('product block shorter than 12 bytes: edid-decode reads past it', len(body))
        return
    by_rules(fields, body, result, [
        (r'Product Code: (\d+)', lambda m: same(result, fields, 'product_code', int(m[1]))),
        (r'Serial Number: (\d+)', lambda m: same(result, fields, 'serial_number', int(m[1]))),
        (r'(Model Year|Year of Manufacture): (\d+)(?:, Week (\d+))?', lambda m: (
            same(result, fields, 'model_year', m[1] == 'Model Year'),
            same(result, fields, 'year', int(m[2])),
            same(result, fields, 'week', m[3] and int(m[3])))),
        (r'Product ID: (.*)', lambda m: same(result, fields, 'product_text', m[1]))])
    if not any(line.startswith('Serial Number') for line in body) and 'serial_number' in fields:
        same(result, fields, 'serial_number', None)
    if not any(line.startswith('Product ID') for line in body) and fields.get('product_text'):
        result.wrong('product text edid-decode does not show')


FEATURES = ['De-interlacing', 'Support ACP, ISRC1, or ISRC2packets', 'Fixed pixel format',
            'Fixed timing', 'Power management (DPM)', 'Audio input override',
            'Separate audio inputs provided', 'Audio support on video interface']
OUR_FEATURES = ['deinterlacing', 'acp-isrc-packets', 'fixed-pixel-format', 'fixed-timing',
                'power-management', 'audio-input-override', 'separate-audio-inputs',
                'audio-on-video-interface']


def labelled(fields, body, result, table, rules=()):
    """Lines "Label: value" of `table` {label: (key or keys, read)}, the rest by `rules`."""
    rest = []
    for line in body:
        label, colon, value = line.partition(': ')
        if not colon or label not in table:
            rest.append(line)
            continue
        keys, read = table[label]
        values = read(value.strip())
        for key, v in zip(keys, values) if isinstance(keys, tuple) else [(keys, values)]:
            if isinstance(v, float) and isinstance(fields.get(key), float):
                result.same(key, fields.get(key), v, 5.1e-5 * max(1, abs(v) / 1000))
            else:
                result.same(key, fields.get(key), v)
    by_rules(fields, rest, result, rules)


def number(text):
    return float(text.split()[0].rstrip('%'))


def integer(text):
    return int(text.split()[0])


def numbers(text):
    """Every number of a value: "595.0 mm x 335.0 mm", "5120x2880", "30-140 kHz"."""
    return [float(n) if '.' in n else int(n) for n in re.findall(r'\d+(?:\.\d+)?', text)]


def named(table):
    return lambda text: table.get(text, 'reserved' if text.startswith('Reserved') else text)


def luminance(text):
    return None if text == 'do not use' else 'reserved' if text == 'reserved' else number(text)


SIZES = {'Image size': (('image_width_mm', 'image_height_mm'), numbers),
         'Display native pixel format': (('native_width', 'native_height'), numbers)}
FEATURES = dict(zip(
    ['De-interlacing', 'Support ACP, ISRC1, or ISRC2packets', 'Fixed pixel format',
     'Fixed timing', 'Power management (DPM)', 'Audio input override',
     'Separate audio inputs provided', 'Audio support on video interface'],
    ['deinterlacing', 'acp-isrc-packets', 'fixed-pixel-format', 'fixed-timing',
     'power-management', 'audio-input-override', 'separate-audio-inputs',
     'audio-on-video-interface']))


def absent(result, fields, body, key, label, value=None):
    """A field edid-decode prints only when it holds something."""
    if key in fields and not any(line.startswith(label) for line in body):
        result.same(key, fields[key], value)


def parameters_1(fields, body, heading, result):
    features = []
    labelled(fields, body, result, dict(SIZES, **{
        'Gamma': ('gamma', number), 'Aspect ratio': ('aspect_ratio', number),
        'Dynamic bpc native': ('dynamic_bpc_native', integer),
        'Dynamic bpc overall': ('dynamic_bpc_overall', integer)}), [
        (r'Feature support flags:', lambda m: None),
        (r'  (.*)', lambda m: features.append(FEATURES.get(m[1], m[1])))])
    if 'features' in fields:
        same(result, fields, 'features', features)
    absent(result, fields, body, 'gamma', 'Gamma')


SCANS = dict(zip(['Left to Right, Top to Bottom', 'Right to Left, Top to Bottom',
                  'Top to Bottom, Right to Left', 'Bottom to Top, Right to Left',
                  'Right to Left, Bottom to Top', 'Left to Right, Bottom to Top',
                  'Bottom to Top, Left to Right', 'Top to Bottom, Left to Right'],
                 ['left-right-top-bottom', 'right-left-top-bottom', 'top-bottom-right-left',
                  'bottom-top-right-left', 'right-left-bottom-top', 'left-right-bottom-top',
                  'bottom-top-left-right', 'top-bottom-left-right']))
PARAMETERS_2 = dict(SIZES, **{
    'Scan Orientation': ('scan_orientation', named(SCANS)),
    'Luminance Information': ('luminance_information', named(
        {'Minimum guaranteed value': 'minimum', 'Guidance for the Source device': 'guidance'})),
    'Color Information': ('cie_year', lambda t: int(t.split()[-1])),
    'Audio Speaker Information': ('speakers_integrated', lambda t: t == 'integrated'),
    'Native Maximum Luminance (Full Coverage)': ('max_luminance_full', luminance),
    'Native Maximum Luminance (10% Rectangular Coverage)': ('max_luminance_10_percent',
                                                           luminance),
    'Native Minimum Luminance': ('min_luminance', luminance),
    'Native Color Depth': ('colour_depth_bpc', lambda t: int(t.split()[0]) if t[0].isdigit()
                           else None),
    'Display Device Technology': ('technology', named(
        {'Not Specified': 'unspecified', 'Active Matrix LCD': 'lcd-active-matrix',
         'Organic LED': 'oled'})),
    'Display Device Theme Preference': ('dark_theme_preferred',
                                        lambda t: t == 'Dark Theme Preferred'),
    'Native Gamma EOTF': ('gamma', number)})


def point(result, key, ours, xy):
    # Six decimals in a display parameters block, four in a colour characteristics one.
    tolerance = SIX if len(xy[0]) > 6 else 5.1e-5
    result.same(key + '.x', (ours or {}).get('x'), float(xy[0]), tolerance)
    result.same(key + '.y', (ours or {}).get('y'), float(xy[1]), tolerance)


def listed_point(fields, result, key, i, xy):
    items = fields.get(key, [])
    point(result, '%s[%d]' % (key, i), items[i] if i < len(items) else None, xy)


def parameters_2(fields, body, heading, result):
    labelled(fields, body, result, PARAMETERS_2, [
        (r'Native Color Chromaticity:', lambda m: None),
        (r'  Primary #(\d):\s+\(([\d.]+), ([\d.]+)\)', lambda m: listed_point(
            fields, result, 'primaries', int(m[1]) - 1, m.groups()[1:])),
        (r'  White Point: \(([\d.]+), ([\d.]+)\)', lambda m: point(
            result, 'white_point', fields.get('white_point'), m.groups()))])
    absent(result, fields, body, 'gamma', 'Native Gamma')
    if fields and not any(line.startswith('Display Device Theme') for line in body):
        result.same('dark_theme_preferred', 'dark_theme_preferred' in fields, False)


COLOUR_SPACES = {'sRGB': 'srgb', 'BT.601': 'bt601', 'BT.709': 'bt709', 'Adobe RGB': 'adobe-rgb',
                 'DCI-P3': 'dci-p3', 'NTSC': 'ntsc', 'EBU': 'ebu',
                 'Adobe Wide Gamut RGB': 'adobe-wide-gamut-rgb', 'DICOM': 'dicom',
                 'Reserved': 'reserved'}


def colour(fields, body, heading, result):
    shown = {'primaries': 0, 'white_points': 0}

    def listed(key, m):
        shown[key] += 1
        listed_point(fields, result, key, int(m[1]), m.groups()[1:])
    by_rules(fields, body, result, [
        (r'Uses (temporal|spatial) color', lambda m: same(result, fields, 'temporal',
                                                          m[1] == 'temporal')),
        (r'Uses (\d+) CIE \(x, y\) coordinates', lambda m: same(result, fields, 'cie_year',
                                                                int(m[1]))),
        (r'Associated with Transfer Characteristics Data Block with Identifier (\d+)',
         lambda m: same(result, fields, 'transfer_id', int(m[1]))),
        (r'Uses color space (.*)', lambda m: same(result, fields, 'colour_space',
                                                  COLOUR_SPACES.get(m[1]))),
        (r'Primary #(\d+): \(([\d.]+), ([\d.]+)\)', lambda m: listed('primaries', m)),
        (r'White point #(\d+): \(([\d.]+), ([\d.]+)\)', lambda m: listed('white_points', m))])
    absent(result, fields, body, 'transfer_id', 'Associated', 0)
    for key, n in shown.items():
        if len(fields.get(key, [])) != n:
            result.wrong('%s: ours %d, edid-decode shows %d' % (key, len(fields[key]), n))


def flags_present(result, fields, body, table):
    """Lines that a set flag prints: each of ours against whether its line is there."""
    for key, line in table:
        result.same(key, fields.get(key), line in body)
    return [line for line in body if line not in {t[1] for t in table}]


def khz(text):
    return [round(n * 1000) for n in numbers(text)]


def range_limits(fields, body, heading, result):
    rest = flags_present(result, fields, body, [
        ('interlaced', 'Supports Interlaced'), ('cvt', 'Supports CVT'),
        ('cvt_reduced_blanking', 'Supports CVT Reduced Blanking'),
        ('discrete', 'Discrete frequency display device')]) if fields else body
    labelled(fields, rest, result, {
        'Pixel Clock': (('min_pixel_clock_khz', 'max_pixel_clock_khz'), khz),
        'Horizontal Frequency': (('min_h_rate_khz', 'max_h_rate_khz'), numbers),
        'Minimum Horizontal Blanking': ('min_h_blank', integer),
        'Vertical Refresh': (('min_v_rate_hz', 'max_v_rate_hz'), numbers),
        'Minimum Vertical Blanking': ('min_v_blank', integer)})


def dynamic_range(fields, body, heading, result):
    labelled(fields, body, result, {
        'Minimum Pixel Clock': ('min_pixel_clock_khz', integer),
        'Maximum Pixel Clock': ('max_pixel_clock_khz', integer),
        'Minimum Vertical Refresh Rate': ('min_v_rate_hz', integer),
        'Maximum Vertical Refresh Rate': ('max_v_rate_hz', integer),
        'Seamless Dynamic Video Timing Support': ('seamless', lambda t: t == 'Yes')})


def string(fields, body, heading, result):
    labelled(fields, body, result, {'Text': ('text', lambda t: t[1:-1])})


def container_id(fields, body, heading, result):
    labelled(fields, body, result, {'Container ID': ('container_id', str)})


V_TOTAL = {'Fixed Average V-Total': 'fixed-average',
           'Fixed Average V-Total and Adaptive V-Total': 'fixed-average-and-adaptive'}


ADAPTIVE_FLAGS = [
    ('seamless', 'Supports Seamless Transition'),
    ('increase_without_jitter',
     "'Max Single Frame Duration Increase' field value without jitter impact"),
    ('decrease_without_jitter',
     "'Max Single Frame Duration Decrease' field value without jitter impact")]


def adaptive_sync(fields, body, heading, result):
    chunks = []
    for line in body:
        if re.match(r'Descriptor #\d+:$', line):
            chunks.append([])
        elif chunks and line.startswith('  '):
            chunks[-1].append(line[2:])
        else:
            unaccounted(line, result)
    result.same('descriptors (count)', len(fields['descriptors']), len(chunks))
    for d, chunk in zip(fields['descriptors'], chunks):
        labelled(d, flags_present(result, d, chunk, ADAPTIVE_FLAGS), result, {
            'Max Duration Increase': ('max_increase_ms', number),
            'Max Duration Decrease': ('max_decrease_ms', number),
            'Min Refresh Rate': ('min_refresh_hz', integer),
            'Max Refresh Rate': ('max_refresh_hz', integer)}, [
            (r'(Non-)?Native Panel Range', lambda m, d=d: same(result, d, 'native_range',
                                                              not m[1])),
            (r'(Fixed Average V-Total(?: and Adaptive V-Total)?|Reserved \d+)',
             lambda m, d=d: same(result, d, 'v_total', V_TOTAL.get(m[1], 'reserved')))])


def brightness(fields, body, heading, result):
    labelled(fields, body, result, {
        'Minimum SDR Luminance (Full Coverage)': ('min_sdr', luminance),
        'Maximum Suggested SDR Luminance (Full Coverage)': ('max_sdr', luminance),
        'Maximum Boost SDR Luminance': ('max_boost_sdr', luminance)})


SST = {'Not Supported': 'none', 'Two Streams (number of links shall be 2 or 4)': 'two-streams',
       'Four Streams (number of links shall be 4)': 'four-streams', 'Reserved': 'reserved'}


def hex_lines(body):
    return ' '.join(HEX_DUMP.match(line)[1] for line in body if HEX_DUMP.match(line))


def vendor(fields, body, heading, result):
    if 'oui' not in fields:
        result.skip('block too short for an OUI: edid-decode pads it with zeros')
        return
    if m := re.search(r', OUI (\S+):$', heading):
        oui = fields.get('oui', '')
        if oui != m[1] and '-'.join(reversed(oui.split('-'))) == m[1]:
            result.skip('OUI stored the other way round: edid-decode shows it reversed')
        else:
            result.same('oui', oui, m[1])
    if '(VESA)' in heading and 'interface' in fields:
        labelled(fields, body, result, {
            'Data Structure Type': ('interface', lambda t: re.sub(r'[()]', '', t.lower())),
            'Default Colorspace and EOTF Handling': ('native_colour', lambda t: t != 'sRGB'),
            'Number of Pixels in Hor Pix Cnt Overlapping an Adjacent Panel': ('overlap_pixels',
                                                                              integer),
            'Multi-SST Operation': ('multi_sst', named(SST)),
            "Pass through timing's target DSC bits per pixel": ('dsc_bits_per_pixel', number)})
        return
    data = fields.get('data', '')
    rest = body
    if '(Apple)' in heading and heading.startswith('Vendor-Specific Data Block (0x7f)') \
            and body and (m := re.match(r'Type: (?:(\d+)|BLC Info/Corrections), Version: (\d+)$',
                                        body[0])):
        result.same('data[0:2]', data.split()[:2],
                    ['%02x' % int(m[1] or 1), '%02x' % int(m[2])])
        data, rest = ' '.join(data.split()[2:]), body[1:]
    if any(not HEX_DUMP.match(line) for line in rest):
        result.wrong('lines not accounted for: %r' % rest)
    result.same('data', data, hex_lines(rest))


def nothing(fields, body, heading, result):
    for line in body:
        unaccounted(line, result)


BY_TAG = {0x00: product, 0x20: product, 0x01: parameters_1, 0x21: parameters_2,
          0x02: colour, 0x03: timings('I'), 0x04: timings('II'), 0x05: timings('III'),
          0x06: codes, 0x07: bitmap('dmt', 'dmt_ids'), 0x08: bitmap('vic', 'vics'),
          0x09: range_limits, 0x0a: string, 0x0b: string, 0x11: timings('V'),
          0x13: timings('VI'), 0x22: timings('VII'), 0x23: codes, 0x24: timings('IX'),
          0x25: dynamic_range, 0x29: container_id, 0x2a: timings('X'), 0x2b: adaptive_sync,
          0x2e: brightness, 0x7e: vendor, 0x7f: vendor, 0x81: nothing}


def comparer(kind, entry):
    if kind != 'displayid':
        return None
    # The other modules of the group build on this one's readers.
    import fields_displayid_arvr
    import fields_displayid_interface
    return (BY_TAG.get(entry['tag']) or fields_displayid_interface.BY_TAG.get(entry['tag'])
            or fields_displayid_arvr.BY_TAG.get(entry['tag']))
