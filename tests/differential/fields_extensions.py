"""Fields of the extension blocks without data blocks: video timing, display information,
localized strings, block map."""
import re

TIMING = re.compile(r'(?:DTD|CVT|DMT 0x([0-9a-f]{2})|GTF)\s*:\s+(\d+)x(\d+)(i?)\s+([\d.]+) Hz\s+'
                    r'(\d+):(\d+)\s+[\d.]+ kHz\s+([\d.]+) MHz(?: \((.*)\))?$')
H_LINE = re.compile(r'Hfront\s+(-?\d+) Hsync\s+(\d+) Hback\s+(-?\d+) Hpol ([PN])'
                    r'(?: Hborder (\d+))?$')
V_LINE = re.compile(r'Vfront\s+(-?\d+) Vsync\s+(\d+) Vback\s+(-?\d+)(?: Vpol ([PN]))?'
                    r'(?: Vborder (\d+))?')


def sections(body):
    """{heading: its lines} of the lines at indent 0 ending in ':' whose lines follow indented,
    and '' for the lines at indent 0."""
    out, current = {'': []}, ''
    for line in body:
        if not line.startswith(' ') and line.endswith(':'):
            current = line[:-1]
            out[current] = []
        elif line.startswith(' '):
            out[current].append(line[2:])
        else:
            current = ''
            out[''].append(line)
    return out


def values(lines):
    """{label: value} of the 'label: value' lines."""
    out = {}
    for line in lines:
        label, sep, value = line.partition(': ')
        if sep:
            out[label.strip()] = value
    return out


def compare_dtd(ours, lines, result, where):
    m = TIMING.match(lines[0].strip())
    if not m:
        result.wrong('%s: %r' % (where, lines[0]))
        return
    result.same(where + ' size', (ours['width'], ours['height'], ours['interlaced']),
                (int(m[2]), int(m[3]), m[4] == 'i'))
    result.same(where + ' refresh', ours['refresh'], float(m[5]), tolerance=0.0006)
    result.same(where + ' pixel_clock', ours['pixel_clock'], float(m[8]), tolerance=0.000001)
    result.skip('timing-derived-values')
    extra = m[9] or ''
    size = re.search(r'(\d+) mm x (\d+) mm', extra)
    result.same(where + ' image size', (ours['image_width'], ours['image_height']),
                (int(size[1]), int(size[2])) if size else (0, 0))
    flags = [f for f in extra.split(', ') if f and not re.match(r'\d+ mm x \d+ mm$', f)]
    sync = next((f for f in flags if f in SYNCS), 'digital separate')
    result.same(where + ' sync', ours['sync'], sync)
    result.same(where + ' serrations', ours['serrations'],
                None if sync == 'digital separate' else 'serrate' in flags)
    result.same(where + ' sync on green only', ours['sync_on_green_only'],
                'sync-on-green' in flags if 'analog' in sync else None)
    result.same(where + ' stereo', ours['stereo'],
                next((STEREO_MODES[f] for f in flags if f in STEREO_MODES), 'none'))
    rest = [f for f in flags if f not in SYNCS and f not in STEREO_MODES
            and f not in ('serrate', 'sync-on-green')]
    if rest:
        result.wrong('%s: notes %r' % (where, rest))
    h = H_LINE.search(lines[1]) if len(lines) > 1 else None
    v = V_LINE.search(lines[2]) if len(lines) > 2 else None
    if not h or not v:
        result.wrong('%s: blanking lines %r' % (where, lines[1:3]))
        return
    result.same(where + ' h blanking', (ours['h_front_porch'], ours['h_sync'],
                                        ours['h_back_porch'], ours['h_border']),
                (int(h[1]), int(h[2]), int(h[3]), int(h[5] or 0)))
    # An interlaced timing's second line gives the other field, the same but for half a line.
    for line in lines[2:4 if ours['interlaced'] else 3]:
        v = V_LINE.search(line)
        result.same(where + ' v blanking', (ours['v_front_porch'], ours['v_sync'],
                                            ours['v_back_porch'], ours['v_border']),
                    (int(v[1]), int(v[2]), int(v[3]), int(v[5] or 0)) if v else line)
    if sync == 'digital separate':
        result.same(where + ' polarities', (ours['h_sync_positive'], ours['v_sync_positive']),
                    (h[4] == 'P', v[4] == 'P'))
    elif sync == 'digital composite':
        result.same(where + ' polarities', (ours['h_sync_positive'], ours['v_sync_positive']),
                    (h[4] == 'P', v[4]))
    else:
        result.skip('dtd-polarity-unused')


SYNCS = ('analog composite', 'bipolar analog composite', 'digital composite')
STEREO_MODES = {'field sequential L/R': 'field sequential, right on sync',
                'field sequential R/L': 'field sequential, left on sync',
                'interleaved right even': '2-way interleaved, right on even lines',
                'interleaved left even': '2-way interleaved, left on even lines',
                'four way interleaved': '4-way interleaved',
                'side by side interleaved': 'side by side interleaved'}


CVT_RATES = {50: '50 Hz', 60: '60 Hz', 75: '75 Hz', 85: '85 Hz'}


def cvt_lines(code):
    """The lines edid-decode gives one code, as (size, rate, preferred)."""
    out = []
    for rate in code['rates']:
        out.append(((code['width'], code['height']), rate, rate == code['preferred_rate']))
    return out


def vtb(fields, body, heading, result):
    parts = sections(body)
    result.same('version', fields['version'], int(values(parts[''])['Version']))
    dtd_lines = parts.get('Detailed Timing Descriptors', [])
    starts = [i for i, line in enumerate(dtd_lines) if line.startswith('DTD')]
    result.same('detailed timings', len(fields['detailed_timings']), len(starts))
    for n, (ours, at) in enumerate(zip(fields['detailed_timings'], starts)):
        compare_dtd(ours, dtd_lines[at:at + 4], result, 'dtd %d' % (n + 1))
    theirs = []
    for line in parts.get('Coordinated Video Timings', []):
        m = TIMING.match(line)
        if not m:
            result.wrong('cvt: %r' % line)
            continue
        extra = (m[9] or '').split(', ')
        rate = round(float(m[5]))
        name = '60 Hz reduced blanking' if 'RB' in extra else CVT_RATES.get(rate, rate)
        theirs.append(((int(m[2]), int(m[3])), name, 'preferred vertical rate' in extra))
        result.skip('timing-derived-values')
    result.same('cvt codes', [x for c in fields['cvt_codes'] for x in cvt_lines(c)], theirs)
    theirs = []
    for line in parts.get('Standard Timings', []):
        m = TIMING.match(line)
        if not m:
            result.wrong('standard timing: %r' % line)
            continue
        theirs.append((int(m[2]), int(m[3]), '%s:%s' % (m[6], m[7]), round(float(m[5])),
                       '0x' + m[1] if m[1] else None))
        result.skip('timing-derived-values')
    ours = [(s['width'], s['height'], s['aspect'], s['refresh'], s['dmt'])
            for s in fields['standard_timings']]
    result.same('standard timings', ours, theirs)


# edid-decode's names of the kinds of block and their tags.
BLOCK_TAGS = {'CTA-861 Extension Block': 0x02, 'Video Timing Extension Block': 0x10,
              'EDID 2.0 Extension Block': 0x20, 'Display Information Extension Block': 0x40,
              'Localized String Extension Block': 0x50,
              'Microdisplay Interface Extension Block': 0x60, 'DisplayID Extension Block': 0x70,
              'Block Map Extension Block': 0xF0, 'Manufacturer-Specific Extension Block': 0xFF}


def block_map(fields, body, heading, result):
    theirs = []
    for line in body:
        m = re.match(r'Block\s+(\d+): (.*)$', line)
        if not m:
            result.wrong('block map: %r' % line)
            continue
        name = m[2]
        unknown = re.match(r'Unknown EDID Extension Block 0x([0-9a-f]{2})', name)
        theirs.append((int(m[1]), int(unknown[1], 16) if unknown else BLOCK_TAGS.get(name)))
    ours = [(b['block'], int(b['tag'], 16)) for b in fields['blocks']]
    result.same('blocks', ours, theirs)


ENCODINGS = {'UTF 8': ('UTF-8', 'utf-8'), 'UTF 16BE': ('UTF-16BE', 'utf-16-be'),
             'UTF 32BE': ('UTF-32BE', 'utf-32-be')}
STRINGS = {'Manufacturer Name': 'manufacturer', 'Model Name': 'model',
           'Serial Number': 'serial_number'}


def ls(fields, body, heading, result):
    v = values(body[:2])
    result.same('version', fields['version'], v.get('Version'))
    result.same('unicode version', fields['unicode_version'], v.get('Unicode Version'))
    tables = []
    for line in body[2:]:
        label, _, value = line.partition(': ')
        if label == 'UTF Type':
            tables.append({})
        if not tables:
            result.wrong('string table: %r' % line)
            continue
        tables[-1][label] = value
    result.same('string tables', len(fields['string_tables']), len(tables))
    for n, (ours, theirs) in enumerate(zip(fields['string_tables'], tables)):
        where = 'table %d ' % (n + 1)
        kind = ENCODINGS.get(theirs.pop('UTF Type'))
        if kind is None:
            result.skip('ls-reserved-encoding')
            continue
        result.same(where + 'encoding', ours['encoding'], kind[0])
        result.same(where + 'country', ours['country'],
                    int(theirs.pop('Country Code ID (ISO 3166-3)')))
        language = theirs.pop('Language ID', None)
        result.same(where + 'language', ours['language'], language and language.strip("'"))
        for label, key in STRINGS.items():
            value = theirs.pop(label, None)
            if value is not None:
                # The bytes in hex, then in ASCII within quotes.
                hexes = value[:value.index(" '")] if " '" in value else value
                value = bytes.fromhex(hexes).decode(kind[1], errors='replace')
            result.same(where + key, ours[key], value)
        for label in theirs:
            result.wrong(where + 'line %r' % label)


def name_of(names, text):
    """Ours of edid-decode's name `text`; its reserved codes as ours name them."""
    if m := re.match(r'Unknown \(0x([0-9a-f]{2})\)$', text):
        return 'reserved (0x%s)' % m[1]
    return names.get(text, text)


# edid-decode's names of each kind of value, and ours.
INTERFACES = {'Analog Video Input': 'analog', 'DVI Single Link': 'DVI single link',
              'DVI Dual Link - High Resolution': 'DVI dual link, high resolution',
              'DVI Dual Link - High Color': 'DVI dual link, high colour',
              'DVI - Consumer Electronics': 'DVI for consumer electronics',
              'Plug & Display': 'plug and display', 'Open LDI - Single Link': 'OpenLDI single link',
              'Open LDI - Dual Link': 'OpenLDI dual link',
              'Open LDI - Consumer Electronics': 'OpenLDI for consumer electronics'}
EDGES = {'Not specified': 'not given', 'Use rising edge of shift clock': 'rising',
         'Use falling edge of shift clock': 'falling', 'Use both edges of shift clock': 'both'}
FORMATS = {'8-Bit Over 8-Bit RGB': '8-bit over 8-bit RGB',
           '12-Bit Over 12-Bit RGB': '12-bit over 12-bit RGB',
           '24-Bit MSB-Aligned RGB (Single Link)': '24-bit MSB-aligned RGB, single link',
           '48-Bit MSB-Aligned RGB (Dual Link - High Resolution)':
               '48-bit MSB-aligned RGB, dual link, high resolution',
           '48-Bit MSB-Aligned RGB (Dual Link - High Color)':
               '48-bit MSB-aligned RGB, dual link, high colour'}
NOT_GIVEN = {'Not defined': 'not given', 'Not specified': 'not given'}
LAYOUTS = dict(NOT_GIVEN, **{
    'Quad Pixel - G at bottom left & top right': 'quad, green bottom left and top right',
    'Quad Pixel - G at bottom right & top left': 'quad, green bottom right and top left'})
CONFIGURATIONS = dict(NOT_GIVEN, **{'Delta (Tri-ad)': 'delta', 'Stripe Offset': 'stripe offset',
                                    'Quad Pixel': 'quad'})
DIRECTIONS = dict(NOT_GIVEN, **{'Direct & Reflected': 'both'})
IMPLEMENTATIONS = dict(NOT_GIVEN, **{
    'Large Image device for group viewing': 'large image for group viewing',
    'Desktop or personal display': 'desktop or personal',
    'Eyepiece type personal display': 'eyepiece personal'})
STEREO = {'No direct stereo': 'none',
          'Field seq. stereo via stereo sync signal': 'field sequential by stereo sync',
          'auto-stereoscopic, column interleave': 'auto-stereoscopic, column interleaved',
          'auto-stereoscopic, line interleave': 'auto-stereoscopic, line interleaved'}
CONVERSIONS = {'Not supported': 'none',
               'Vertical is converted to a single frequency': 'vertical to one rate',
               'Horizontal is convertred to a single frequency': 'horizontal to one rate',
               'Both Vertical & Horizontal are converted to single frequencies':
                   'both to one rate each'}
ORIENTATION_TYPES = dict(NOT_GIVEN, **{
    'Fixed Orientation': 'fixed', 'Pivots: Default Orientation': 'pivots, default orientation',
    'Pivots: Current Orientation (requires multiple EDID Extension Tables)':
        'pivots, current orientation'})
SCANS = dict(NOT_GIVEN, **{
    'Fast Scan is on the Major (Long) Axis and Slow Scan is on the Minor Axis':
        'fast on the long axis',
    'Fast Scan is on the Minor (Short) Axis and Slow Scan is on the Major Axis':
        'fast on the short axis'})
DECODINGS = dict(NOT_GIVEN, **{
    'Y/C (S-Video) NTSC': 'Y/C NTSC', 'Y/C (S-Video) PAL': 'Y/C PAL',
    'Y/C (S-Video) SECAM': 'Y/C SECAM', 'Y B-Y R-Y BetaCam (Sony)': 'Y B-Y R-Y, BetaCam',
    'Y B-Y R-Y M-2 (Matsushita)': 'Y B-Y R-Y, M-2', 'Monochrome': 'monochrome',
    **{'YCrCb %s per SMPTE 293M & 294M' % s: 'YCrCb %s (SMPTE 293M, 294M)' % s
       for s in ('4:4:4', '4:2:2', '4:2:0')},
    **{'%s per SMPTE %s (%s HDTV)' % (y, n, age): '%s (SMPTE %s)' % (y, n)
       for y, n, age in (('YCrCb', '260M', 'Legacy'), ('YPbPr', '240M', 'Legacy'),
                         ('YCrCb', '274M', 'Modern'), ('YPbPr', '274M', 'Modern'))}})
DECODERS = {'Uses Default Decoding': 'the default', 'Y/C (S-Video)': 'Y/C',
            'Monochrome': 'monochrome'}
ASPECT_MODES = {'Full Mode': 'full', 'Zoom Mode': 'zoom',
                'Squeeze (Side Bars/Letterbox) Mode': 'squeeze',
                'Variable (Expand/Shrink) Mode': 'variable'}
DEPTHS = {'0 (Blue)': 'blue', '1 (Green)': 'green', '2 (Red)': 'red', '0 (Cb/Pb)': 'cb',
          '1 (Y)': 'y', '2 (Cr/Pr)': 'cr'}


def named(names, lower=True):
    """The value of the line as ours names it: by `names`, else lower case (ours spell the
    name as edid-decode does but for its capitals) or as it is."""
    return lambda m: name_of(names, m[1]) if m[1] in names or m[1].startswith('Unknown') \
        else m[1].lower() if lower else m[1]


def negated(m):
    return not m[1]


def first(m):
    return m[1]


def frequency(m):
    words = {'Not available': None, 'Reserved': 'reserved'}
    return words[m[1]] if m[1] in words else float(m[1].split()[0])


def depth(m):
    # A reserved depth, "Reserved (0x11)", is ours as stored.
    return None if m[2] == 'No Information' else int(re.sub(r'Reserved \((.*)\)', r'\1', m[2]), 0)


# Of each part of a display information block: our key, and each line edid-decode may print
# as (pattern, our key, its value from the match); a dict for the value, a list of names
# whose lines follow (each name and Yes or No).
DI_PARTS = {
    'Digital Interface': ('digital_interface', [
        (r'Supported Digital Interface: (.*)', 'interface', named(INTERFACES, False)),
        (r'Version: (.*)', 'standard_version', first),
        (r'Release: (.*)', 'standard_release', first),
        (r'Letter Designation: (.*)', 'standard_letter', first),
        (r'Date Code: Year (\d+) Week (\d+) Day (\d+)', 'standard_date',
         lambda m: {'year': int(m[1]), 'month': int(m[2]), 'day': int(m[3])}),
        (r'Data Enable Signal Usage (Not )?Available', 'data_enable', negated),
        (r'Data Enable Signal (High|Low)', 'data_enable_high', lambda m: m[1] == 'High'),
        (r'Edge of Shift Clock: (.*)', 'shift_clock_edge', named(EDGES)),
        (r'HDCP is (not )?supported', 'hdcp', negated),
        (r'Digital Receivers (do not )?support Double Clocking.*', 'double_clocking', negated),
        (r'Packetized Digital Video is (not )?supported', 'packetized_video', negated),
        (r'Data Formats: (.*)', 'data_format', named(FORMATS)),
        (r'Minimum Pixel Clock Frequency Per Link: (\d+) MHz', 'min_pixel_clock',
         lambda m: int(m[1])),
        (r'Maximum Pixel Clock Frequency Per Link: (\d+) MHz', 'max_pixel_clock',
         lambda m: int(m[1])),
        (r'Crossover Frequency: None - Single Link', 'single_link', lambda m: True),
        (r'Crossover Frequency: (\d+) MHz', 'crossover', lambda m: int(m[1]))],
        {'data_enable_high': None, 'min_pixel_clock': None, 'max_pixel_clock': None,
         'crossover': None, 'single_link': False}),
    'Display Device': ('display_device', [
        (r'Sub-Pixel Layout: (.*)', 'sub_pixel_layout', named(LAYOUTS, False)),
        (r'Sub-Pixel Configuration: (.*)', 'sub_pixel_configuration', named(CONFIGURATIONS)),
        (r'Sub-Pixel Shape: (.*)', 'sub_pixel_shape', named(NOT_GIVEN)),
        (r'Horizontal Dot/Pixel Pitch: ([\d.]+) mm', 'h_pitch', lambda m: float(m[1])),
        (r'Vertical Dot/Pixel Pitch: ([\d.]+) mm', 'v_pitch', lambda m: float(m[1])),
        (r'Display Device (does not )?ha(?:s|ve) a Fixed Pixel Format', 'fixed_pixel_format',
         negated),
        (r'View Direction: (.*)', 'view_direction', named(DIRECTIONS)),
        (r'Display Device uses (non-)?transparent background', 'transparent_background',
         negated),
        (r'Physical Implementation: (.*)', 'physical_implementation', named(IMPLEMENTATIONS)),
        (r'Monitor/display does (not )?support DDC/CI', 'ddc_ci', negated)],
        {'h_pitch': None, 'v_pitch': None}),
    'Display Capabities & Feature Support Set': ('capabilities', [
        (r'Legacy Modes: (Not all|All) VGA/DOS.*', 'all_legacy_modes', lambda m: m[1] == 'All'),
        (r'Stereo Video: (.*)', 'stereo', named(STEREO)),
        *[(label + r': (Yes|No)', key, lambda m: m[1] == 'Yes') for label, key in (
            ('Scaler On Board', 'scaler'), ('Image Centering', 'image_centering'),
            ('Conditional Update', 'conditional_update'), ('Interlaced Video', 'interlaced'),
            ('Frame Lock', 'frame_lock'), ('Standalone Projector', 'standalone_projector'),
            ('Dithering', 'dithering'))],
        (r'Frame Rate Conversion: (.*)', 'frame_rate_conversion', named(CONVERSIONS)),
        (r'Vertical Frequency: (.*)', 'vertical_rate', frequency),
        (r'Horizontal Frequency: (.*)', 'horizontal_rate', frequency),
        (r'Display/Scan Orientation Definition Type: (.*)', 'orientation_type',
         named(ORIENTATION_TYPES)),
        (r'Screen Orientation: (.*)', 'portrait', lambda m: m[1] == 'Portrait'),
        (r'Zero Pixel Location: (.*)', 'zero_pixel', named({})),
        (r'Scan Direction: (.*)', 'scan_direction', named(SCANS)),
        (r'Default Color/Luminance Decoding: (.*)', 'default_decoding',
         named(DECODINGS, False)),
        (r'Preferred Color/Luminance Decoder: (.*)', 'preferred_decoder',
         named(DECODERS, False)),
        (r'Color/Luminance Decoding Capabilities:( None)?', 'decoding_capabilities', DECODINGS),
        (r'Aspect Ratio Conversion Modes:( None)?', 'aspect_conversions', ASPECT_MODES),
        *[(r'Supported Color Bit-Depth of Sub-Channel (%s): (.*)' % re.escape(label),
           name + '_depth', depth) for label, name in DEPTHS.items()]], {}),
}


def di_part(ours, lines, rules, defaults, result):
    expected, listed = {}, None
    for line in lines:
        if line.startswith('  ') and listed:
            label, _, value = line.strip().partition(': ')
            if value == 'Yes':
                expected[listed[0]].append(listed[1].get(label, label))
            continue
        listed = None
        for pattern, key, value in rules:
            if m := re.match(pattern + '$', line):
                if isinstance(value, dict):
                    expected[key], listed = [], (key, value)
                    if m[1] and ours[key] and key == 'decoding_capabilities':
                        # Listed only when both bytes have a capability set.
                        result.skip('di-decoding-capabilities-one-byte')
                        del expected[key]
                else:
                    expected[key] = value(m)
                break
        else:
            result.wrong('%r' % line)
    for key, value in defaults.items():
        if key in ours:
            expected.setdefault(key, value)
    for key, value in expected.items():
        result.same(key, ours.get(key), value)


def transfer(ours, lines, result):
    curves, current = {}, None
    kind = 'none'
    for line in lines:
        if line == 'No Display Transfer Characteristics':
            continue
        if m := re.match(r'White Curve \(\d+ entries\):$', line):
            kind, current = 'white', 'white'
        elif m := re.match(r'Sub-Channel \d \((Blue|Green|Red)\) Curve with \d+ entries:$', line):
            kind, current = 'per channel', m[1].lower()
        elif line.startswith('  ') and current:
            curves.setdefault(current, []).extend(int(x, 16) for x in line.split())
        else:
            result.wrong('transfer: %r' % line)
    result.same('transfer.kind', ours['kind'], kind)
    for key in ('white',) if kind == 'white' else ('blue', 'green', 'red') \
            if kind == 'per channel' else ():
        result.same('transfer.' + key, ours.get(key), curves.get(key, []))


def di(fields, body, heading, result):
    parts = sections(body)
    result.same('version', fields['version'], int(values(parts.pop(''))['Version']))
    for name, lines in parts.items():
        if name == 'Display Transfer Characteristics - Gamma':
            transfer(fields['transfer'], lines, result)
        elif name in DI_PARTS:
            key, rules, defaults = DI_PARTS[name]
            di_part(fields[key], lines, rules, defaults, result)
        else:
            result.wrong('part %r' % name)


def decoded(compare):
    """`compare` given the lines of the block, without what edid-decode prints after the
    last block."""
    def run(fields, body, heading, result):
        if '' in body:
            body = body[:body.index('')]
        compare(fields, body, heading, result)
    return run


BY_TYPE = {'vtb': decoded(vtb), 'block-map': decoded(block_map), 'ls': decoded(ls),
           'di': decoded(di)}


def comparer(kind, entry):
    if kind != 'extension':
        return None
    return BY_TYPE.get(entry['type'])
