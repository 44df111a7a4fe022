"""Fields of the CTA-861 data blocks of colour and display devices: colorimetry, HDR static and
dynamic metadata, video capability, VESA display device and transfer characteristics."""
import re

# edid-decode's words for what we name otherwise.
EOTFS = {'Traditional gamma - SDR luminance range': 'traditional gamma (SDR)',
         'Traditional gamma - HDR luminance range': 'traditional gamma (HDR)',
         'SMPTE ST2084': 'SMPTE ST 2084', 'Hybrid Log-Gamma': 'HLG',
         'Unknown (4)': 'ET_4', 'Unknown (5)': 'ET_5'}


def silent(fields, body, result):
    """edid-decode prints nothing of a block shorter than it wants: what we read of its bytes
    goes uncompared. True when so."""
    if body:
        return False
    if fields:
        result.skip('short-block-not-decoded', len(fields))
    return True


def whole_values(labels):
    """{label: key} of lines whose whole value is one field, as labelled_lines() reads them."""
    return {label: (r'(.*)', [key]) for label, key in labels.items()}


CAPABILITY_LINES = whole_values({
    'YCbCr quantization': 'ycbcr_quantization_selectable',
    'RGB quantization': 'rgb_quantization_selectable', 'PT scan behavior': 'pt_scan',
    'IT scan behavior': 'it_scan', 'CE scan behavior': 'ce_scan'})


def video_capability(fields, body, heading, result):
    if not silent(fields, body, result):
        labelled_lines(fields, body, result, CAPABILITY_LINES)


def colorimetry(fields, body, heading, result):
    if silent(fields, body, result):
        return
    names, p0, reserved = [], False, 0
    for line in body:
        if line == 'Gamut Boundary Description Metadata Profile P0':
            p0 = True
        elif m := re.fullmatch(r'Reserved F4([1-3])', line):
            reserved |= 1 << (int(m[1]) - 1)
        else:
            names.append(line)
    result.same('colorimetry', fields.get('colorimetry'), names)
    result.same('gamut_metadata_p0', fields.get('gamut_metadata_p0'), p0)
    result.same('reserved_f41_f43', fields.get('reserved_f41_f43'), reserved)


def luminance(result, fields, key, value):
    m = re.fullmatch(r'(\d+) \(([\d.]+) cd/m\^2\)', value)
    if not m:
        result.wrong('%s: %r' % (key, value))
        return
    ours = fields.get(key) or {}
    result.same(key + '.code', ours.get('code'), int(m[1]))
    result.same(key + '.cd_m2', ours.get('cd_m2'), float(m[2]), tolerance=0.0005)


def hdr_static(fields, body, heading, result):
    if silent(fields, body, result):
        return
    eotfs, types, list_of = [], [], None
    luminances = {'Desired content max luminance': 'max_luminance',
                  'Desired content max frame-average luminance': 'max_frame_average_luminance',
                  'Desired content min luminance': 'min_luminance'}
    for line in body:
        label, _, value = line.partition(': ')
        if line == 'Electro optical transfer functions:':
            list_of = eotfs
        elif line == 'Supported static metadata descriptors:':
            list_of = types
        elif list_of is eotfs and line.startswith('  ') and line.strip() in EOTFS:
            eotfs.append(EOTFS[line.strip()])
        elif list_of is types and (m := re.fullmatch(r'  Static metadata type (\d+)', line)):
            types.append(int(m[1]))
        elif label in luminances:
            luminance(result, fields, luminances[label], value)
        else:
            result.wrong('line not accounted for: %r' % line)
    result.same('eotfs', fields.get('eotfs'), eotfs)
    result.same('metadata_types', fields.get('metadata_types'), types)


def hdr_dynamic(fields, body, heading, result):
    theirs = []
    for line in body:
        if m := re.fullmatch(r'HDR Dynamic Metadata Type (\d+)', line):
            theirs.append({'type': int(m[1])})
        elif theirs and (m := re.fullmatch(r'  Version: (\d+)', line)):
            theirs[-1]['version'] = int(m[1])
        elif theirs and (m := re.fullmatch(r'  Supports (SL-HDR[123]) \(.*\)', line)):
            theirs[-1][m[1].lower().replace('-', '_')] = True
        else:
            result.wrong('line not accounted for: %r' % line)
    ours = []
    for entry in fields.get('types', []):
        # The standard's name is ours alone; the SL-HDR flags edid-decode prints only when set.
        if 'standard' in entry:
            result.skip('dynamic-metadata-standard-name')
        ours.append({k: v for k, v in entry.items() if k != 'standard' and v is not False})
    result.same('types', ours, theirs)


def transfer_characteristics(fields, body, heading, result):
    if silent(fields, body, result):
        return
    m = re.fullmatch(r'(White|Red|Green|Blue) transfer characteristics: ([\d ]+)', body[0]) \
        if len(body) == 1 else None
    if not m:
        result.wrong('lines not accounted for: %r' % body)
        return
    levels = [int(v) for v in m[2].split()]
    result.same('channel', fields.get('channel'), m[1].lower())
    # edid-decode ends the curve with the full level, which no byte holds.
    result.same('levels', fields.get('levels'), levels[:-1])
    result.same('levels end', levels[-1], 1023)


def hex_dump(fields, body, heading, result):
    theirs = []
    for line in body:
        m = re.match(r'((?:[0-9a-f]{2} )*[0-9a-f]{2})\s+\'', line)
        if not m:
            result.wrong('line not accounted for: %r' % line)
            continue
        theirs += [int(b, 16) for b in m[1].split()]
    result.same('bytes', fields.get('bytes'), theirs)


# edid-decode's names of the display device block that are not ours in other case.
DEVICE_NAMES = {
    'IEEE-1394': 'IEEE 1394', 'VESA NAVI-V (15HD)': 'NAVI-V (15HD)', 'VESA NAVI-D': 'NAVI-D',
    'Can rotate 90 degrees clockwise': '90 degrees clockwise',
    'Can rotate 90 degrees counterclockwise': '90 degrees anticlockwise',
    'Can rotate 90 degrees in either direction)': '90 degrees either way',
    'Fast Scan is on the Major (Long) Axis and Slow Scan is on the Minor Axis':
        'fast along the long axis',
    'Fast Scan is on the Minor (Short) Axis and Slow Scan is on the Major Axis':
        'fast along the short axis',
    'Vertical stripes using primary order': 'vertical stripes in primary order',
    'Horizontal stripes using primary order': 'horizontal stripes in primary order',
    'Quad sub-pixels, red at top left': 'quad, red top left',
    'Quad sub-pixels, red at bottom left': 'quad, red bottom left',
    'Delta (triad) RGB sub-pixels': 'delta (triad)',
    'Quad sub-pixels, RGB + 1 additional color': 'quad, RGB and one more colour',
    'Five sub-pixels, RGB + 2 additional colors': 'five, RGB and two more colours',
    'Six sub-pixels, RGB + 3 additional colors': 'six, RGB and three more colours',
    'Clairvoyante, Inc. PenTile Matrix (tm) layout': 'PenTile matrix',
    'Advanced Frame Rate Conversion': 'advanced'}

# Each line's label: the pattern of its value and the keys of its groups, in order.
DEVICE_LINES = whole_values({
    'Content Protection Support': 'content_protection', 'Aspect Ratio': 'aspect_ratio',
    'Default Orientation': 'orientation', 'Rotation Capability': 'rotation',
    'Zero Pixel Location': 'zero_pixel', 'Scan Direction': 'scan_direction',
    'Subpixel Information': 'subpixel_layout', 'Dithering': 'dithering',
    'Direct Drive': 'direct_drive', 'Deinterlacing': 'deinterlacing', 'Audio Support': 'audio',
    'Separate Audio Inputs Provided': 'separate_audio_inputs',
    'Audio Input Override': 'audio_input_override',
    'Frame Rate/Mode Conversion': 'frame_rate_conversion'}) | {
    'Interface Type': (r'Analog \((.*)\)|(.*?)(?: (\d+) (?:lanes|channels))?',
                       ['analog_kind', 'interface', 'lanes']),
    'Interface Standard Version': (r'(\d+)\.(\d+)',
                                   ['interface_version.major', 'interface_version.minor']),
    'Minimum Clock Frequency': (r'(\d+) MHz', ['min_clock_mhz']),
    'Maximum Clock Frequency': (r'(\d+) MHz', ['max_clock_mhz']),
    'Device Native Pixel Format': (r'(\d+)x(\d+)', ['native_width', 'native_height']),
    'Horizontal and vertical dot/pixel pitch': (r'(.*) x (.*) mm',
                                                ['pixel_pitch_h_mm', 'pixel_pitch_v_mm']),
    'Audio Delay': (r'(-?\d+) ms|no information provided', ['audio_delay_ms']),
    'Frame Rate Range': (r'(\d+) fps \+/- (\d+) fps',
                         ['frame_rate_fps', 'frame_rate_range_fps']),
    'Nominal Frame Rate': (r'(\d+) fps()', ['frame_rate_fps', 'frame_rate_range_fps']),
    'Color Bit Depth': (r'(\d+) @ interface, (\d+) @ display',
                        ['interface_bit_depth', 'display_bit_depth']),
    'Response Time Black -> White': (r'(\d+) ms()',
                                     ['response_time_ms', 'response_white_to_black']),
    'Overscan': (r'(\d+)% x (\d+)%', ['overscan_h_percent', 'overscan_v_percent']),
}
DEVICE_LINES['Response Time White -> Black'] = DEVICE_LINES['Response Time Black -> White']


def line_value(label, key, value):
    """edid-decode's value as ours; names in lower case on both sides."""
    if key.endswith('_selectable'):
        return value.startswith('Selectable')
    if key == 'frame_rate_range_fps' and value == '':
        return 0
    if key == 'interface' and value is None:
        return 'analog'
    if key == 'response_white_to_black':
        return 'White ->' in label
    if value is None or re.fullmatch(r'-?\d+', value):
        return None if value is None else int(value)
    if re.fullmatch(r'\d+\.\d+', value):
        return float(value)
    return {'Yes': True, 'No': False}.get(value, DEVICE_NAMES.get(value, value).lower())


def labelled_lines(fields, body, result, table):
    """Compares each `label: value` line by `table`: {label: (pattern of the value, the keys of
    its groups)}; a key may name a field of an object, `object.field`."""
    for line in body:
        label, _, value = line.partition(': ')
        m = re.fullmatch(table[label][0], value) if label in table else None
        if not m:
            result.wrong('line not accounted for: %r' % line)
            continue
        for key, theirs in zip(table[label][1], m.groups()):
            ours = fields
            for part in key.split('.'):
                ours = (ours or {}).get(part)
            if isinstance(ours, str):
                ours = ours.lower()
            if theirs is not None or ours is not None:
                result.same(key, ours, line_value(label, key, theirs))


def display_device(fields, body, heading, result):
    """One `label: value` line a field, but the additional primaries and the overdrive line."""
    if silent(fields, body, result):
        return
    primaries, rest = [], []
    for line in body:
        if m := re.fullmatch(r'  Primary \d:\s+(0\.\d+), (0\.\d+)', line):
            primaries.append((float(m[1]), float(m[2])))
        elif m := re.fullmatch(r'Overdrive (not )?recommended', line):
            result.same('overdrive_recommended', fields.get('overdrive_recommended'), not m[1])
        elif line != 'Additional Primary Chromaticities:':
            rest.append(line)
    labelled_lines(fields, rest, result, DEVICE_LINES)
    ours = fields.get('additional_primaries', [])
    result.same('additional_primaries count', len(ours), len(primaries))
    for p, (x, y) in zip(ours, primaries):
        # edid-decode cuts the coordinates to 4 decimals; ours are rounded.
        result.same('primary x', p['x'], x, tolerance=0.00011)
        result.same('primary y', p['y'], y, tolerance=0.00011)


BY_TAG = {(5, None): transfer_characteristics, (7, 0): video_capability, (7, 2): display_device,
          (7, 3): hex_dump, (7, 5): colorimetry, (7, 6): hdr_static, (7, 7): hdr_dynamic}


def comparer(kind, entry):
    if kind != 'cta':
        return None
    return BY_TAG.get((entry['tag'], entry['extended_tag']))
