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


def yes(text):
    return {'Yes': True, 'No': False}[text]


def name_of(names, text):
    """Ours of edid-decode's name `text`; its reserved codes as ours name them."""
    if m := re.match(r'Unknown \(0x([0-9a-f]{2})\)$', text):
        return 'reserved (0x%s)' % m[1]
    return names.get(text, text)


INTERFACES = {'Analog Video Input': 'analog', 'DVI': 'DVI', 'DVI Single Link': 'DVI single link',
              'DVI Dual Link - High Resolution': 'DVI dual link, high resolution',
              'DVI Dual Link - High Color': 'DVI dual link, high colour',
              'DVI - Consumer Electronics': 'DVI for consumer electronics',
              'Plug & Display': 'plug and display', 'DFP': 'DFP',
              'Open LDI - Single Link': 'OpenLDI single link',
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


def interface(ours, lines, result):
    """The digital interface part: each line edid-decode prints, against ours."""
    expected = {}
    for line in lines:
        label, _, value = line.partition(': ')
        if label == 'Supported Digital Interface':
            expected['interface'] = name_of(INTERFACES, value)
        elif label in ('Version', 'Release'):
            expected['standard_' + label.lower()] = value
        elif label == 'Letter Designation':
            expected['standard_letter'] = value
        elif m := re.match(r'Date Code: Year (\d+) Week (\d+) Day (\d+)$', line):
            expected['standard_date'] = {'year': int(m[1]), 'month': int(m[2]),
                                         'day': int(m[3])}
        elif m := re.match(r'Data Enable Signal Usage (Not )?Available$', line):
            expected['data_enable'] = not m[1]
        elif m := re.match(r'Data Enable Signal (High|Low)$', line):
            expected['data_enable_high'] = m[1] == 'High'
        elif label == 'Edge of Shift Clock':
            expected['shift_clock_edge'] = EDGES[value]
        elif m := re.match(r'HDCP is (not )?supported$', line):
            expected['hdcp'] = not m[1]
        elif m := re.match(r'Digital Receivers (do not )?support Double Clocking', line):
            expected['double_clocking'] = not m[1]
        elif m := re.match(r'Packetized Digital Video is (not )?supported$', line):
            expected['packetized_video'] = not m[1]
        elif label == 'Data Formats':
            expected['data_format'] = name_of(FORMATS, value)
        elif m := re.match(r'(Minimum|Maximum) Pixel Clock Frequency Per Link: (\d+) MHz$', line):
            expected['min_pixel_clock' if m[1] == 'Minimum' else 'max_pixel_clock'] = int(m[2])
        elif line == 'Crossover Frequency: None - Single Link':
            expected['single_link'] = True
        elif m := re.match(r'Crossover Frequency: (\d+) MHz$', line):
            expected['crossover'] = int(m[1])
        else:
            result.wrong('digital interface: %r' % line)
    if 'data_enable' in expected and not expected['data_enable']:
        expected['data_enable_high'] = None
    for key, value in expected.items():
        result.same('digital_interface.' + key, ours.get(key), value)
    # Clocks of 0 and a crossover of 0 are not printed: ours are null then.
    if ours['interface'] != 'analog':
        for key in ('min_pixel_clock', 'max_pixel_clock', 'crossover'):
            if key not in expected:
                result.same('digital_interface.' + key, ours[key], None)
        if 'single_link' not in expected:
            result.same('digital_interface.single_link', ours['single_link'], False)


LAYOUTS = {'Not defined': 'not given', 'RGB': 'RGB', 'BGR': 'BGR',
           'Quad Pixel - G at bottom left & top right': 'quad, green bottom left and top right',
           'Quad Pixel - G at bottom right & top left': 'quad, green bottom right and top left'}
CONFIGURATIONS = {'Not defined': 'not given', 'Delta (Tri-ad)': 'delta', 'Stripe': 'stripe',
                  'Stripe Offset': 'stripe offset', 'Quad Pixel': 'quad'}
SHAPES = {'Not defined': 'not given', 'Round': 'round', 'Square': 'square',
          'Rectangular': 'rectangular', 'Oval': 'oval', 'Elliptical': 'elliptical'}
DIRECTIONS = {'Not specified': 'not given', 'Direct': 'direct', 'Reflected': 'reflected',
              'Direct & Reflected': 'both'}
IMPLEMENTATIONS = {'Not specified': 'not given',
                   'Large Image device for group viewing': 'large image for group viewing',
                   'Desktop or personal display': 'desktop or personal',
                   'Eyepiece type personal display': 'eyepiece personal'}


def device(ours, lines, result):
    expected = {'h_pitch': None, 'v_pitch': None}
    for line in lines:
        label, _, value = line.partition(': ')
        if label == 'Sub-Pixel Layout':
            expected['sub_pixel_layout'] = name_of(LAYOUTS, value)
        elif label == 'Sub-Pixel Configuration':
            expected['sub_pixel_configuration'] = name_of(CONFIGURATIONS, value)
        elif label == 'Sub-Pixel Shape':
            expected['sub_pixel_shape'] = name_of(SHAPES, value)
        elif m := re.match(r'(Horizontal|Vertical) Dot/Pixel Pitch: ([\d.]+) mm$', line):
            expected['h_pitch' if m[1] == 'Horizontal' else 'v_pitch'] = float(m[2])
        elif m := re.match(r'Display Device (has|does not have) a Fixed Pixel Format$', line):
            expected['fixed_pixel_format'] = m[1] == 'has'
        elif label == 'View Direction':
            expected['view_direction'] = DIRECTIONS[value]
        elif m := re.match(r'Display Device uses (non-)?transparent background$', line):
            expected['transparent_background'] = not m[1]
        elif label == 'Physical Implementation':
            expected['physical_implementation'] = IMPLEMENTATIONS[value]
        elif m := re.match(r'Monitor/display does (not )?support DDC/CI$', line):
            expected['ddc_ci'] = not m[1]
        else:
            result.wrong('display device: %r' % line)
    for key, value in expected.items():
        result.same('display_device.' + key, ours.get(key), value)


STEREO = {'No direct stereo': 'none',
          'Field seq. stereo via stereo sync signal': 'field sequential by stereo sync',
          'auto-stereoscopic, column interleave': 'auto-stereoscopic, column interleaved',
          'auto-stereoscopic, line interleave': 'auto-stereoscopic, line interleaved'}
CONVERSIONS = {'Not supported': 'none',
               'Vertical is converted to a single frequency': 'vertical to one rate',
               'Horizontal is convertred to a single frequency': 'horizontal to one rate',
               'Both Vertical & Horizontal are converted to single frequencies':
                   'both to one rate each'}
ORIENTATION_TYPES = {'Not defined': 'not given', 'Fixed Orientation': 'fixed',
                     'Pivots: Default Orientation': 'pivots, default orientation',
                     'Pivots: Current Orientation (requires multiple EDID Extension Tables)':
                         'pivots, current orientation'}
SCANS = {'Not defined': 'not given',
         'Fast Scan is on the Major (Long) Axis and Slow Scan is on the Minor Axis':
             'fast on the long axis',
         'Fast Scan is on the Minor (Short) Axis and Slow Scan is on the Major Axis':
             'fast on the short axis',
         'Reserved': 'reserved'}
DECODINGS = {'Not defined': 'not given', 'BGR': 'BGR', 'Y/C (S-Video) NTSC': 'Y/C NTSC',
             'Y/C (S-Video) PAL': 'Y/C PAL', 'Y/C (S-Video) SECAM': 'Y/C SECAM',
             'YCrCb 4:4:4 per SMPTE 293M & 294M': 'YCrCb 4:4:4 (SMPTE 293M, 294M)',
             'YCrCb 4:2:2 per SMPTE 293M & 294M': 'YCrCb 4:2:2 (SMPTE 293M, 294M)',
             'YCrCb 4:2:0 per SMPTE 293M & 294M': 'YCrCb 4:2:0 (SMPTE 293M, 294M)',
             'YCrCb per SMPTE 260M (Legacy HDTV)': 'YCrCb (SMPTE 260M)',
             'YPbPr per SMPTE 240M (Legacy HDTV)': 'YPbPr (SMPTE 240M)',
             'YCrCb per SMPTE 274M (Modern HDTV)': 'YCrCb (SMPTE 274M)',
             'YPbPr per SMPTE 274M (Modern HDTV)': 'YPbPr (SMPTE 274M)',
             'Y B-Y R-Y BetaCam (Sony)': 'Y B-Y R-Y, BetaCam',
             'Y B-Y R-Y M-2 (Matsushita)': 'Y B-Y R-Y, M-2', 'Monochrome': 'monochrome'}
DECODERS = {'Uses Default Decoding': 'the default', 'BGR': 'BGR', 'Y/C (S-Video)': 'Y/C',
            'Yxx (SMPTE 2xxM)': 'Yxx (SMPTE 2xxM)', 'Monochrome': 'monochrome'}
ZERO_PIXEL = {'Upper Left': 'upper left', 'Upper Right': 'upper right',
              'Lower Left': 'lower left', 'Lower Right': 'lower right'}
ASPECT_MODES = {'Full Mode': 'full', 'Zoom Mode': 'zoom',
                'Squeeze (Side Bars/Letterbox) Mode': 'squeeze',
                'Variable (Expand/Shrink) Mode': 'variable'}
YES_NO = {'Scaler On Board': 'scaler', 'Image Centering': 'image_centering',
          'Conditional Update': 'conditional_update', 'Interlaced Video': 'interlaced',
          'Frame Lock': 'frame_lock', 'Standalone Projector': 'standalone_projector',
          'Dithering': 'dithering'}
DEPTHS = {'0 (Blue)': 'blue_depth', '1 (Green)': 'green_depth', '2 (Red)': 'red_depth',
          '0 (Cb/Pb)': 'cb_depth', '1 (Y)': 'y_depth', '2 (Cr/Pr)': 'cr_depth'}


def frequency(value):
    if value == 'Not available':
        return None
    if value == 'Reserved':
        return 'reserved'
    return float(value.split()[0])


def capabilities(ours, lines, result):
    expected, lists, current = {}, {'decoding_capabilities': [], 'aspect_conversions': []}, None
    for line in lines:
        label, _, value = line.partition(': ')
        if line.startswith('  '):
            label = label.strip()
            if current == 'decoding_capabilities' and label in DECODINGS:
                if yes(value):
                    lists[current].append(DECODINGS[label])
            elif current == 'aspect_conversions' and label in ASPECT_MODES:
                if yes(value):
                    lists[current].append(ASPECT_MODES[label])
            else:
                result.wrong('capabilities: %r' % line)
            continue
        current = None
        if m := re.match(r'Legacy Modes: (All|Not all) VGA/DOS', line):
            expected['all_legacy_modes'] = m[1] == 'All'
        elif label == 'Stereo Video':
            expected['stereo'] = name_of(STEREO, value)
        elif label in YES_NO:
            expected[YES_NO[label]] = yes(value)
        elif label == 'Frame Rate Conversion':
            expected['frame_rate_conversion'] = CONVERSIONS[value]
        elif label == 'Vertical Frequency':
            expected['vertical_rate'] = frequency(value)
        elif label == 'Horizontal Frequency':
            expected['horizontal_rate'] = frequency(value)
        elif label == 'Display/Scan Orientation Definition Type':
            expected['orientation_type'] = ORIENTATION_TYPES[value]
        elif label == 'Screen Orientation':
            expected['portrait'] = value == 'Portrait'
        elif label == 'Zero Pixel Location':
            expected['zero_pixel'] = ZERO_PIXEL[value]
        elif label == 'Scan Direction':
            expected['scan_direction'] = SCANS[value]
        elif label == 'Default Color/Luminance Decoding':
            expected['default_decoding'] = name_of(DECODINGS, value)
        elif label == 'Preferred Color/Luminance Decoder':
            expected['preferred_decoder'] = name_of(DECODERS, value)
        elif line.startswith('Color/Luminance Decoding Capabilities:'):
            current = 'decoding_capabilities'
            if value == 'None' and ours['decoding_capabilities']:
                # Listed only when both bytes have a capability set.
                result.skip('di-decoding-capabilities-one-byte')
                lists.pop(current)
        elif line.startswith('Aspect Ratio Conversion Modes:'):
            current = 'aspect_conversions'
        elif m := re.match(r'Supported Color Bit-Depth of Sub-Channel (.*): (.*)$', line):
            expected[DEPTHS[m[1]]] = None if m[2] == 'No Information' else \
                int(m[2]) if m[2].isdigit() else 'reserved'
        else:
            result.wrong('capabilities: %r' % line)
    for key, value in list(expected.items()) + list(lists.items()):
        result.same('capabilities.' + key, ours.get(key), value)


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


DI_PARTS = {'Digital Interface': ('digital_interface', interface),
            'Display Device': ('display_device', device),
            'Display Capabities & Feature Support Set': ('capabilities', capabilities),
            'Display Transfer Characteristics - Gamma': ('transfer', transfer)}


def di(fields, body, heading, result):
    parts = sections(body)
    result.same('version', fields['version'], int(values(parts.pop(''))['Version']))
    for name, lines in parts.items():
        if name not in DI_PARTS:
            result.wrong('part %r' % name)
            continue
        key, compare = DI_PARTS[name]
        compare(fields[key], lines, result)


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
