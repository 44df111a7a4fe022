"""Fields of the CTA-861 vendor-specific data blocks and the HDMI Forum's blocks."""
import collections
import csv
import os
import re


def words():
    """{table: {ours: theirs}} of fields_cta_vendor_words.tsv: our keys of flags with the line
    edid-decode prints for each, our names with its words for them."""
    tables = collections.defaultdict(list)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'fields_cta_vendor_words.tsv')
    with open(path, newline='') as f:
        for row in csv.reader(f, delimiter='\t'):
            if row and not row[0].startswith('#'):
                tables[row[0]].append((row[1], row[2]))
    return tables


def theirs_to_ours(table):
    return {theirs: ours for ours, theirs in WORDS[table]}


WORDS = words()
HDMI_FLAGS, CONTENT_TYPES, FORUM_FLAGS, AMD_FLAGS, DOLBY_FLAGS, SBTM_FLAGS = (
    dict(WORDS[t]) for t in ('hdmi', 'content-types', 'hdmi-forum', 'amd', 'dolby', 'sbtm'))
(STRUCTURES_ALL, STRUCTURES, DETAILS, IMAGE_SIZES, USE_CASES, GRDM, GAMUTS, DOLBY_INTERFACES,
 DOLBY_DEPTHS) = (theirs_to_ours(t) for t in (
    'structures-all', 'structures', 'details', 'image-sizes', 'use-cases', 'grdm', 'gamuts',
    'dolby-interfaces', 'dolby-depths'))


class Lines:
    """edid-decode's lines under a heading; each comparer takes the ones it accounts for and
    reports the rest."""

    def __init__(self, body):
        self.lines = [line for line in body if line.strip()]
        self.used = [False] * len(self.lines)

    def find(self, pattern):
        """The match of the first line not yet taken that `pattern` matches whole, taken."""
        for i, line in enumerate(self.lines):
            if not self.used[i]:
                m = re.fullmatch(pattern, line.strip())
                if m:
                    self.used[i] = True
                    return m
        return None

    def has(self, text):
        return self.find(re.escape(text)) is not None

    def finish(self, result):
        for line, used in zip(self.lines, self.used):
            if not used:
                result.wrong('line not accounted for: %r' % line)


def flags(fields, lines, result, table):
    """Each flag of ours (key -> edid-decode's line, printed only when the flag is set)."""
    for key, text in table.items():
        if key in fields:
            result.same(key, fields[key], lines.has(text))


def number(fields, key, lines, pattern, result, cast=int, tolerance=0):
    m = lines.find(pattern)
    if m:
        result.same(key, fields.get(key), cast(m[1]), tolerance)
    return m


def payload(fields, lines, result):
    theirs = []
    while m := lines.find(r"((?:[0-9a-f]{2} ?)+)\s+'.*'"):
        theirs += m[1].split()
    ours = fields.get('payload', '').split()
    if len(ours) < len(theirs) and theirs[:len(ours)] == ours:
        # A block that runs past the detailed timings' offset: ours ends there.
        result.skip('block-past-dtd-offset')
    else:
        result.same('payload', ours, theirs)


def latency(value):
    if m := re.fullmatch(r'(\d+) ms', value):
        return int(m[1])
    return 'unknown' if value == 'Unknown' else 'not supported'


def hdmi(fields, lines, result):
    m = lines.find(r'Source physical address: (\S+)')
    if m and 'physical_address' not in fields:
        result.skip('hdmi-address-beyond-block')
    elif m:
        result.same('physical_address', fields['physical_address'], m[1])
    flags(fields, lines, result, HDMI_FLAGS)
    number(fields, 'max_tmds_mhz', lines, r'Maximum TMDS clock: (\d+) MHz', result)
    if 'content_types' in fields:
        lines.has('Supported Content Types:')
        theirs = [key for key, text in CONTENT_TYPES.items() if lines.has(text)]
        result.same('content_types', fields['content_types'], theirs)
    for key, text in (('video_latency', 'Video'), ('audio_latency', 'Audio'),
                      ('interlaced_video_latency', 'Interlaced video'),
                      ('interlaced_audio_latency', 'Interlaced audio')):
        if m := lines.find(text + r' latency: (.*)'):
            if key in fields:
                result.same(key, fields[key], latency(m[1]))
            else:
                result.skip('hdmi-latency-beyond-block')
    if not lines.has('Extended HDMI video details:'):
        result.same('hdmi_video', fields.get('hdmi_video'), None)
        return
    video = fields.get('hdmi_video')
    if video is None:
        result.skip('hdmi-video-beyond-block')
        return
    result.same('present_3d', video['present_3d'], lines.has('3D present'))
    multi = ('all VICs' if lines.has('All advertised VICs are 3D-capable')
             else 'VIC mask' if lines.has('3D-capable-VIC mask present') else None)
    if video['multi_3d'] in ('none', 'reserved'):
        result.same('multi_3d', None, multi)
    else:
        result.same('multi_3d', video['multi_3d'], multi)
    size = 'no information'
    for text, name in IMAGE_SIZES.items():
        if lines.has(text):
            size = name
    result.same('image_size', video['image_size'], size)
    theirs = []
    if lines.has('HDMI VICs:'):
        while m := lines.find(r'(?:HDMI VIC (\d+):.*|Unknown \(HDMI VIC (\d+)\))'):
            theirs.append(int(m[1] or m[2]))
    result.same('hdmi_vics', video.get('hdmi_vics', []), theirs)
    theirs = []
    while m := lines.find(r'3D: (.*)'):
        theirs.append(STRUCTURES_ALL.get(m[1], m[1]))
    result.same('structures_3d', [s for s in video.get('structures_3d', [])], theirs)
    # edid-decode names each index by the VIC of that SVD, which the block itself does not hold.
    if lines.has('3D VIC indices that support these capabilities:'):
        theirs = 0
        while lines.find(r'(?:VIC\s+\d+:.*MHz|Unknown \(VIC\s+\d+\)|SVD Index \d+ is out of range)'):
            theirs += 1
        result.same('mask_3d', len(video.get('mask_3d', [])), theirs)
        result.skip('hdmi-3d-index-as-vic', theirs)
    if lines.has('3D VIC indices with specific capabilities:'):
        theirs = []
        while m := lines.find(r'VIC\s+\d+:.*MHz \((.*)\)|Unknown \(VIC\s+\d+, (.*)\)'
                              r'|SVD Index \d+ is out of range \((.*)\)'):
            theirs.append(m[1] or m[2] or m[3])
        ours = []
        for vic in video.get('vics_3d', []):
            text = vic['structure']
            if 'detail' in vic:
                text += ', ' + vic['detail']
            ours.append(text)
        result.same('vics_3d', ours, [structure_text(t) for t in theirs])
        result.skip('hdmi-3d-index-as-vic', len(theirs))


def structure_text(text):
    """edid-decode's name of a 3D structure and detail, in our words."""
    if m := re.fullmatch(r'unknown \((0x[0-9a-f]+)\)', text):
        return 'reserved (%d)' % int(m[1], 16)
    name, _, detail = text.partition(', ')
    name = STRUCTURES.get(name, name)
    if not detail:
        return name
    if detail in ('not in use', 'reserved'):
        return name + ', reserved'
    return name + ', ' + DETAILS.get(detail, detail)




def frl(text):
    """edid-decode's rates of a fixed rate link: the fastest, and its lanes."""
    if m := re.fullmatch(r'Unknown \(0x([0-9a-f]+)\)', text):
        return 'reserved (%d)' % int(m[1], 16)
    lanes = re.findall(r'on (\d) lanes', text)[-1]
    gbps = re.findall(r'(\d+) Gbps', text)[-1]
    return {'lanes': int(lanes), 'gbps_per_lane': int(gbps)}


def hdmi_forum(fields, lines, result):
    number(fields, 'version', lines, r'Version: (\d+)', result)
    if m := lines.find(r'Maximum TMDS Character Rate: (\d+) MHz'):
        result.same('max_tmds_mhz', fields.get('max_tmds_mhz'), int(m[1]))
    elif 'max_tmds_mhz' in fields:
        result.same('max_tmds_mhz', fields['max_tmds_mhz'], 0)
    if 'version' in fields and 'max_frl' not in fields:
        # edid-decode reads the first four bytes of a block however short it is.
        result.skip('hdmi-forum-beyond-block')
        lines.used = [True] * len(lines.used)
        return
    flags(fields, lines, result, FORUM_FLAGS)
    if 'dsc_12a' in fields and 'dsc_max_slices' not in fields:
        # edid-decode reads the byte after a block of eight bytes.
        while lines.find(r'(DSC Max Slices|DSC Max Fixed Rate Link|Maximum number of bytes).*'):
            result.skip('hdmi-forum-beyond-block')
    for key, text in (('max_frl', 'Max Fixed Rate Link'),
                      ('dsc_max_frl', 'DSC Max Fixed Rate Link')):
        if m := lines.find(text + r': (.*)'):
            result.same(key, fields.get(key), frl(m[1]))
        elif key in fields:
            result.same(key, fields[key], 'none')
    if 'vrr_min_hz' in fields:
        number(fields, 'vrr_min_hz', lines, r'VRRmin: (\d+) Hz', result)
    if 'vrr_max_hz' in fields:
        number(fields, 'vrr_max_hz', lines, r'VRRmax: (\d+) Hz', result)
    elif lines.find(r'VRRmax: (\d+) Hz'):
        result.skip('hdmi-forum-beyond-block')
    if m := lines.find(r'DSC Max Slices: (?:Unknown \(\d+\), interpreted as: )?(.*)'):
        s = re.fullmatch(r'up to (\d+) slices? and up to \((\d+) MHz/Ksliceadjust\) pixel clock'
                         r' per slice', m[1])
        ours = fields.get('dsc_max_slices', {})
        result.same('dsc_max_slices', (ours.get('slices'), ours.get('mhz_per_slice')),
                    (int(s[1]), int(s[2])))
    elif 'dsc_max_slices' in fields:
        result.same('dsc_max_slices', fields['dsc_max_slices']['slices'], 0)
    if m := lines.find(r'Maximum number of bytes in a line of chunks: (\d+)'):
        if 'dsc_total_chunk_bytes' in fields:
            result.same('dsc_total_chunk_bytes', fields['dsc_total_chunk_bytes'], int(m[1]))
        else:
            result.skip('hdmi-forum-beyond-block')
    elif fields.get('dsc_total_chunk_bytes', 1024) != 1024:
        result.wrong('dsc_total_chunk_bytes %r, edid-decode none'
                     % fields['dsc_total_chunk_bytes'])




def amd(fields, lines, result):
    if lines.find(r'Data block is truncated \(length = \d+\)'):
        result.skip('amd-truncated')
        lines.used = [True] * len(lines.used)
        return
    number(fields, 'version', lines, r'Version: (\d+)', result)
    m = lines.find(r'Feature Caps: (0x[0-9a-f]{2})')
    result.same('feature_caps', fields.get('feature_caps'), m and m[1])
    number(fields, 'min_refresh_hz', lines, r'Minimum Refresh Rate: (\d+) Hz', result)
    number(fields, 'max_refresh_hz', lines, r'Maximum Refresh Rate: (\d+) Hz', result)
    m = lines.find(r'Flags 1.x: (0x[0-9a-f]{2})( \(MCCS\))?')
    result.same('flags_1', (fields.get('flags_1'), fields.get('mccs')), (m[1], bool(m[2])))
    m = lines.find(r'Flags 2.x: (0x[0-9a-f]{2})')
    result.same('flags_2', fields.get('flags_2'), m and m[1])
    flags(fields, lines, result, AMD_FLAGS)
    for key, text in (('luminance', ''), ('luminance_without_local_dimming',
                                          ' \\(without local dimming\\)'),
                      ('luminance_at_min_backlight', ' \\(minimum backlight\\)')):
        ours = fields.get(key)
        for end in ('max', 'min'):
            word = 'Maximum' if end == 'max' else 'Minimum'
            m = lines.find(word + ' luminance' + text + r': (\d+) \(([\d.]+) cd/m\^2\)')
            theirs = m and (int(m[1]), float(m[2]))
            result.same(key + '.' + end, ours and (ours[end + '_code'], ours[end]), theirs)




def microsoft(fields, lines, result):
    if 'container_id' not in fields:
        payload(fields, lines, result)
        return
    number(fields, 'version', lines, r'Version: (\d+)', result)
    for key, text in (('desktop_usage', 'Desktop Usage'),
                      ('third_party_usage', 'Third-Party Usage')):
        if m := lines.find(text + r': (\d)'):
            result.same(key, fields.get(key), m[1] == '1')
        else:
            result.same(key, fields.get(key), None)
    m = lines.find(r'Display Product Primary Use Case: (.*)')
    ours = fields['primary_use_case']
    result.same('primary_use_case', 'Unknown' if ours.startswith('reserved') else ours,
                USE_CASES.get(m[1], m[1]))
    m = lines.find(r'Container ID: (.*)')
    result.same('container_id', fields['container_id'], m[1])


def uhda(fields, lines, result):
    for key, text in (('content_type', 'Type'), ('content_subtype', 'Subtype')):
        if m := lines.find(r'Filmmaker Mode Content ' + text + r': (\d+)'):
            if key in fields:
                result.same(key, fields[key], int(m[1]))
            else:
                result.skip('uhda-beyond-block')


def hdr10plus(fields, lines, result):
    number(fields, 'application_version', lines, r'Application Version: (\d+)', result)
    number(fields, 'full_frame_peak_luminance_index', lines,
           r'Full Frame Peak Luminance Index: (\d+)', result)
    number(fields, 'peak_luminance_index', lines, r'Peak Luminance Index: (\d+)', result)
    if 'application_version' in fields:
        payload(fields, lines, result)


def point(fields, key, lines, pattern, result):
    m = lines.find(pattern + r': ([\d.]+), ([\d.]+)')
    ours = fields.get(key)
    result.same(key, ours and (ours['x'], ours['y']), m and (float(m[1]), float(m[2])))


def pq(fields, key, lines, pattern, result):
    m = lines.find(pattern + r': (\d+) \(([\d.]+) cd/m\^2\)')
    ours = fields.get(key)
    result.same(key, ours and (ours['pq'], ours['nits']), m and (int(m[1]), float(m[2])))




def dolby_video(fields, lines, result):
    m = lines.find(r'Version: (\d+) \((\d+) bytes\)')
    result.same('version', fields.get('version'), int(m[1]))
    result.skip('dolby-length')
    flags(fields, lines, result, DOLBY_FLAGS)
    if m := lines.find(r'DM Version: (.*)'):
        result.same('dm_version', fields.get('dm_version'), m[1])
    if m := lines.find(r'Colorimetry: (.*)'):
        result.same('colorimetry', fields.get('colorimetry'),
                    'BT.709' if m[1] == 'ITU-R BT.709' else m[1])
    if m := lines.find(r'(?:Low Latency|Interface): (.*)'):
        result.same('interface', fields.get('interface'), DOLBY_INTERFACES.get(m[1], m[1]))
    if m := lines.find(r'Supports 10b 12b 444: (.*)'):
        result.same('yuv444_depth', fields.get('yuv444_depth'), DOLBY_DEPTHS.get(m[1], m[1]))
    number(fields, 'backlight_min_nits', lines, r'Backlt Min Luma: (\d+) cd/m\^2', result)
    number(fields, 'target_min_nits', lines, r'Target Min Luminance: ([\d.]+) cd/m\^2', result,
           float, 1e-8)
    number(fields, 'target_max_nits', lines, r'Target Max Luminance: (\d+) cd/m\^2', result)
    pq(fields, 'target_min', lines, r'Target Min PQ(?: v2)?', result)
    pq(fields, 'target_max', lines, r'Target Max PQ(?: v2)?', result)
    for key, letter in (('red', 'R'), ('green', 'G'), ('blue', 'B'), ('white', 'W')):
        if key in fields:
            point(fields, key, lines, r'(?:Unique )?%sx, %sy' % (letter, letter), result)


def dolby_audio(fields, lines, result):
    m = lines.find(r'Version: (\d+) \((\d+) bytes\)')
    result.same('version', fields.get('version'), int(m[1]))
    result.skip('dolby-length')
    if 'mat_pcm_48k_only' not in fields and lines.has(
            'Supports Dolby MAT PCM decoding at 48 kHz only, does not support TrueHD'):
        result.skip('dolby-audio-beyond-block')
    flags(fields, lines, result, DOLBY_FLAGS)


def vendor(decoders):
    """The comparer of a vendor-specific block: its OUI, then the vendor's fields."""
    def compare(fields, body, heading, result):
        lines = Lines(body)
        m = re.search(r'OUI ([0-9A-F]{2}-[0-9A-F]{2}-[0-9A-F]{2})', heading)
        if not fields:
            # Fewer bytes than an OUI: edid-decode names a partial one and decodes nothing.
            result.skip('oui-truncated')
        else:
            result.same('oui', fields['oui'], m and m[1])
            decoders.get(fields['oui'], payload)(fields, lines, result)
        lines.finish(result)
    return compare


def override(fields, body, heading, result):
    lines = Lines(body)
    number(fields, 'extension_count', lines, r'EDID Extension Block Count: (\d+)', result)
    lines.finish(result)


def sink_capability(fields, body, heading, result):
    lines = Lines(body)
    if 'reserved_set' not in fields:
        result.skip('scdb-short')
    else:
        hdmi_forum(fields, lines, result)
    lines.finish(result)




def tone_mapping(fields, body, heading, result):
    lines = Lines(body)
    if not fields:
        # edid-decode reads the first byte of an empty block.
        result.skip('sbtm-beyond-block')
        lines.used = [True] * len(lines.used)
    number(fields, 'version', lines, r'Version: (\d+)', result)
    grdm = 'reserved'
    for text, name in GRDM.items():
        if lines.has(text):
            grdm = name
    if 'grdm' in fields:
        result.same('grdm', fields['grdm'], grdm)
    if 'drdm' in fields:
        result.same('drdm', fields['drdm'], lines.has('Supports a D-RDM format'))
    flags(fields, lines, result, SBTM_FLAGS)
    if m := lines.find(r'PBnits\[0\] = (\d+) cd/m\^2'):
        result.same('hgig_peak_nits', fields.get('hgig_peak_nits'), int(m[1]))
    elif lines.has('HGIG D-RDM is not used'):
        result.same('hgig_peak_nits', fields.get('hgig_peak_nits'), 0)
    elif 'hgig_peak_nits' in fields:
        result.same('hgig_peak_nits', fields['hgig_peak_nits'].startswith('reserved'), True)
    if m := lines.find(r'Gamut is (.*)'):
        result.same('gamut', fields.get('gamut'), GAMUTS.get(m[1], m[1]))
    for key in ('red', 'green', 'blue', 'white'):
        m = lines.find(key.capitalize() + r': \(([\d.]+), ([\d.]+)\)')
        if m and key not in fields:
            result.skip('sbtm-beyond-block')
        elif m:
            result.same(key, (fields[key]['x'], fields[key]['y']), (float(m[1]), float(m[2])))
    number(fields, 'min_brightness_10', lines, r'Min Brightness 10: ([\d.]+) cd/m\^2', result,
           float, 1e-8)
    number(fields, 'peak_brightness_100', lines, r'Peak Brightness 100: (\d+) cd/m\^2', result)
    levels = fields.get('levels', [])
    for i in range(4):
        p = lines.find(r'Percentage of Peak Brightness P%d: ([\d.]+)%%' % i)
        n = lines.find(r'Peak Brightness P%d: ([\d.]+) cd/m\^2' % i)
        if p and i >= len(levels):
            result.skip('sbtm-beyond-block')
        elif p:
            result.same('levels[%d]' % i, (levels[i]['percentage'], levels[i]['peak']),
                        (float(p[1]), float(n[1])))
    lines.finish(result)


BY_TAG = {(3, None): vendor({'00-0C-03': hdmi, 'C4-5D-D8': hdmi_forum, '00-00-1A': amd,
                             'CA-12-5C': microsoft, '1A-BB-FB': uhda}),
          (7, 0x01): vendor({'90-84-8B': hdr10plus, '00-D0-46': dolby_video}),
          (7, 0x11): vendor({'00-D0-46': dolby_audio}),
          (7, 0x78): override, (7, 0x79): sink_capability, (7, 0x7a): tone_mapping}


def comparer(kind, entry):
    if kind != 'cta':
        return None
    return BY_TAG.get((entry['tag'], entry['extended_tag']))
