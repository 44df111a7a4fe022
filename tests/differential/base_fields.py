"""The base block's fields of `info --json` beyond identity (input, features, colour,
established and standard timings, descriptor kinds, range limits' kind) and every detailed
timing's blanking and sync, against edid-decode's text."""
import re

# edid-decode truncates chromaticity to 4 decimals (x * 10000 / 1024); we round.
FOUR_DECIMALS = 1.01e-4
SIX_DECIMALS = 1.01e-6

INTERFACES = {'DVI': 'dvi', 'HDMI-a': 'hdmi-a', 'HDMI-b': 'hdmi-b', 'MDDI': 'mddi',
              'DisplayPort': 'displayport'}
COLOR_TYPES = {'Monochrome or grayscale display': 'monochrome', 'RGB color display': 'rgb',
               'Non-RGB color display': 'non-rgb', 'Undefined display color type': 'undefined'}
# edid-decode's heading of each descriptor, as our kinds.
DESCRIPTORS = [(r'DTD\s*\d+:|Detailed mode:', 'timing'),
               (r'Display Product Serial Number:', 'serial'),
               (r'Alphanumeric Data String:|SPWG Descriptor #[34]', 'data_string'),
               (r'Display Range Limits:', 'range_limits'),
               (r'Display Product Name:', 'product_name'),
               (r'Color Point Data:', 'color_point'),
               (r'Standard Timings:', 'standard_timings'),
               (r'Color Management Data:', 'dcm'),
               (r'CVT 3 Byte Timing Codes:', 'cvt'),
               (r'Established timings III:', 'established_iii'),
               (r'Dummy Descriptor:', 'dummy'),
               # An all-zero descriptor has tag 0x00, a maker's.
               (r'Manufacturer-Specified Display Descriptor|Empty Descriptor', 'manufacturer'),
               (r'Unknown Display Descriptor', 'unused')]
RANGE_KINDS = {'GTF': 'gtf', 'Bare Limits': 'range_only', 'Range Limits Only': 'range_only',
               'Secondary GTF': 'secondary_gtf', 'CVT': 'cvt'}
MODE = re.compile(r'(?:IBM|Apple|DMT 0x\w\w|GTF|CVT|Unknown|VIC\s+\d+)\s*:\s+(\d+)x(\d+)(i?)\s+([\d.]+) Hz\s+'
                  r'(\d+:\d+)')


def detail(line, axis):
    """Front porch, sync, back porch, border and polarity of one axis's detail line."""
    m = re.search(rf'{axis}front\s+(-?\d+) {axis}sync\s+(\d+) {axis}back\s+(-?\d+)', line)
    if not m:
        return None
    border = re.search(rf'{axis}border (\d+)', line)
    polarity = re.search(rf'{axis}pol ([PN])', line)
    return (None, m[1], m[2], m[3], border and border[1], polarity and polarity[1])


def base_block(text):
    """The lines of block 0, their indentation kept."""
    lines = text.splitlines()
    start = next((i for i, l in enumerate(lines) if l.startswith('Block 0,')), None)
    if start is None:
        return []
    end = next((i for i in range(start + 1, len(lines)) if lines[i].startswith('Block ')),
               len(lines))
    return lines[start + 1:end]


def parse(lines):
    t = {'bit_depth': None, 'interface': None, 'analog_sync': [], 'gamma': None,
         'dpms': [], 'color_type': None, 'color_formats': None, 'srgb_default': False,
         'first_timing_preferred': False, 'continuous_frequency': False, 'gtf_supported': False,
         'chromaticity': {}, 'established': [], 'standard': [], 'descriptors': [],
         'range_kind': None}
    section = descriptor = None
    for line in lines:
        s = line.strip()
        if re.match(r'  \S', line):
            section = s
            continue
        if section == 'Detailed Timing Descriptors:' and re.match(r'    \S', line):
            descriptor = next((k for pattern, k in DESCRIPTORS if re.match(pattern, s)), None)
            if descriptor:  # else a laptop panel's data shown as lines of its own
                t['descriptors'].append(descriptor)
        if m := re.match(r'Bits per primary color channel: (\d+)$', s):
            t['bit_depth'] = int(m[1])
        elif m := re.match(r'(\S+) interface$', s):
            t['interface'] = INTERFACES.get(m[1], m[1])
        elif m := re.match(r'Sync:(.*)$', s):
            words = m[1].split()
            t['analog_sync'] = [name for word, name in (('Separate', 'separate'),
                                                        ('Composite', 'composite'),
                                                        ('SyncOnGreen', 'sync_on_green'))
                                if word in words]
        elif m := re.match(r'Gamma: ([\d.]+)$', s):
            t['gamma'] = float(m[1])
        elif m := re.match(r'DPMS levels:(.*)$', s):
            t['dpms'] = m[1].split()
        elif s in COLOR_TYPES:
            t['color_type'] = COLOR_TYPES[s]
        elif m := re.match(r'Supported color formats: (.*)$', s):
            t['color_formats'] = [f.replace('YCrCb', 'YCbCr') for f in m[1].split(', ')]
        elif s.startswith('Default (sRGB) color space is primary'):
            t['srgb_default'] = True
        elif s.startswith('First detailed timing is the preferred') or \
                s.startswith('First detailed timing includes the native'):
            t['first_timing_preferred'] = True
        elif s == 'Display is continuous frequency':
            t['continuous_frequency'] = True
        elif s.startswith('Supports GTF timings within operating range'):
            t['gtf_supported'] = True
        elif m := re.match(r'(Red|Green|Blue|White)\s*: ([\d.]+), ([\d.]+)$', s):
            t['chromaticity'][m[1].lower()] = [float(m[2]), float(m[3])]
        elif m := re.match(r'Monitor ranges \((.*?)\):', s):
            t['range_kind'] = RANGE_KINDS.get(m[1], 'reserved')
        elif (m := MODE.match(s)) and section in ('Established Timings I & II:',
                                                    'Standard Timings:'):
            mode = {'width': int(m[1]), 'height': int(m[2]), 'interlaced': m[3] == 'i',
                    'refresh_hz': float(m[4]), 'aspect': m[5], 'dmt': s.startswith('DMT')}
            t['established' if section.startswith('Established') else 'standard'].append(mode)
        elif m := MODE.match(s):  # standard timings of a descriptor 0xFA
            if descriptor == 'standard_timings' and line.startswith('      '):
                t['standard'].append({'width': int(m[1]), 'height': int(m[2]),
                                      'interlaced': m[3] == 'i', 'refresh_hz': float(m[4]),
                                      'aspect': m[5], 'dmt': s.startswith('DMT')})
    return t


def dtd_details(text, blocks):
    """Blanking and sync of each detailed timing of the blocks our decoder reads, in order."""
    details = []
    block = None
    lines = text.splitlines()
    for i, line in enumerate(lines):
        if m := re.match(r'Block (\d+),', line):
            block = int(m[1])
        elif block in blocks and re.match(r'\s+DTD\s*\d+:', line):
            h = detail(lines[i + 1], 'H') if i + 1 < len(lines) else None
            v = detail(lines[i + 2], 'V') if i + 2 < len(lines) else None
            details.append((h, v))
        elif block in blocks and line.strip().startswith('Detailed mode:'):
            details.append(None)
    return details


def compare(ours, text, check, skip):
    if not ours['blocks']:
        return
    t = parse(base_block(text))
    video = ours['video_input']
    check('video_input.bit_depth', video['bit_depth'], t['bit_depth'])
    check('video_input.interface', video['interface'], t['interface'])
    check('video_input.analog_sync', video['analog_sync'], t['analog_sync'])
    check('gamma', ours['gamma'], t['gamma'], 0.005)
    check('dpms', [name for name, key in (('Standby', 'standby'), ('Suspend', 'suspend'),
                                          ('Off', 'off')) if ours['dpms'][key]], t['dpms'])
    check('color_type', ours['color_type'], t['color_type'])
    check('color_formats', ours['color_formats'], t['color_formats'])
    check('srgb_default', ours['srgb_default'], t['srgb_default'])
    check('first_timing_preferred', ours['first_timing_preferred'],
          t['first_timing_preferred'])
    check('continuous_frequency', bool(ours['continuous_frequency']),
          t['continuous_frequency'])
    check('gtf_supported', bool(ours['gtf_supported']), t['gtf_supported'])
    for color, point in ours['chromaticity'].items():
        for n, value in enumerate(point):
            theirs = t['chromaticity'].get(color, [None, None])[n]
            # Truncated there, rounded here.
            check(f'chromaticity.{color}[{n}]', value, theirs, FOUR_DECIMALS)
    check('established_timings (count)', len(ours['established_timings']),
          len(t['established']))
    for n, (o, e) in enumerate(zip(ours['established_timings'], t['established'])):
        for key in ('width', 'height', 'interlaced'):
            check(f'established_timings[{n}].{key}', o[key], e[key])
        check(f'established_timings[{n}].refresh_hz', o['refresh_hz'], e['refresh_hz'],
              SIX_DECIMALS)
    check('standard_timings (count)', len(ours['standard_timings']), len(t['standard']))
    modes = {(m['width'], m['height'], m['interlaced']): m for m in ours['modes']}
    for n, (o, e) in enumerate(zip(ours['standard_timings'], t['standard'])):
        for key in ('width', 'height'):
            check(f'standard_timings[{n}].{key}', o[key], e[key])
        if not e['dmt']:
            check(f'standard_timings[{n}].refresh_hz_nominal', o['refresh_hz_nominal'],
                  round(e['refresh_hz']))
        else:
            # DMT's own code for 1024x768 at 70 Hz stores 72: the nominal rate is what is
            # stored, the DMT mode's exact rate what edid-decode shows.
            # The DMT mode's exact rate is the one our list of modes gives it.
            rates = [m['refresh_hz'] for m in ours['modes']
                     if (m['width'], m['height'], m['interlaced']) == (e['width'], e['height'],
                                                                        False)
                     and 'standard' in m['sources']]
            check(f'standard_timings[{n}] DMT rate in modes',
                  min(rates, key=lambda r: abs(r - e['refresh_hz']), default=None),
                  e['refresh_hz'], SIX_DECIMALS)
    check('descriptors', [d['kind'] for d in ours['descriptors']], t['descriptors'])
    if ours['range_limits'] and t['range_kind']:
        check('range_limits.subtype', ours['range_limits']['subtype'], t['range_kind'])

    decoded = {b['index'] for b in ours['blocks'] if not b.get('beyond_count')}
    listed = [d for d in ours['detailed_timings'] if d['source'] != 'displayid']
    details = dtd_details(text, decoded)
    check('detailed timings with blanking (count)', len(listed), len(details))
    for n, (o, d) in enumerate(zip(listed, details)):
        if d is None or d[0] is None or d[1] is None:
            skip('pixel clock below 10 MHz: timing shown as bytes only')
            continue
        h, v = d
        field = f'detailed_timings[{n}]'
        for key, value in (('h_front_porch', h[1]), ('h_sync', h[2]), ('v_front_porch', v[1]),
                           ('v_sync', v[2])):
            check(f'{field}.{key}', o[key], int(value))
        # What remains of the blanking, below 0 when the stored porch and sync
        # overrun it, on both sides.
        for key, value in (('h_back_porch', h[3]), ('v_back_porch', v[3])):
            check(f'{field}.{key}', o[key], int(value))
        for key, value in (('h_border', h[4]), ('v_border', v[4])):
            check(f'{field}.{key}', o[key], int(value or 0))
        for key, value in (('h_sync_positive', h[5]), ('v_sync_positive', v[5])):
            if o[key] is None and value:
                skip('sync polarity of analog or digital composite sync: not decoded')
                continue
            check(f'{field}.{key}', o[key], None if value is None else value == 'P')
