"""The fields of CTA-861 data blocks in `info --json` against edid-decode's text."""
import re

# edid-decode prints refresh rates with six decimals.
SIX_DECIMALS = 1.01e-6

# A data block's heading: its name, then an OUI or an unknown block's length.
HEADING = re.compile(r'  (\S.*?(?:Data Block|Block Extension|Audio Fields)(?: \([^)]*\))*)'
                     r'(?:, OUI ([0-9A-F-]{8}))?(?: \(.*, length \d+\))?:$')
UNKNOWN = re.compile(r'  (Unknown CTA-861 .*Data Block) \((tag|extended tag) (0x..), length (\d+)\):$')
AUDIO_FORMATS = {'Linear PCM': 'LPCM', 'MPEG 1 (Layers 1 & 2)': 'MPEG-1',
                 'MPEG 1 Layer 3 (MP3)': 'MP3', 'MPEG2 (multichannel)': 'MPEG-2',
                 'Enhanced AC-3 (DD+)': 'E-AC-3', 'MAT (MLP)': 'MAT',
                 'HE AAC (Obsolete)': 'HE AAC', 'HE AAC v2 (Obsolete)': 'HE AAC v2',
                 'MPEG Surround (Obsolete)': 'MPEG Surround'}
# Blocks this edid-decode did not know yet, by the names newer ones give them.
NEWER_NAMES = {'Unknown CTA-861 HDMI-Related Data Block (extended tag 0x7a)':
               'HDMI Forum Source-Based Tone Mapping Data Block'}
HDMI_VICS = {1: 95, 2: 94, 3: 93, 4: 98}
# Max Fixed Rate Link as edid-decode words it, by its last lane count and rate.
FRL = {'3 Gbps per lane on 3 lanes': 9, '3 and 6 Gbps per lane on 3 lanes': 18,
       '6 Gbps on 4 lanes': 24, '6 and 8 Gbps on 4 lanes': 32, '6, 8 and 10 Gbps on 4 lanes': 40,
       '6, 8, 10 and 12 Gbps on 4 lanes': 48}
SCAN = re.compile(r'(PT|IT|CE) scan behavior: (.*)$')
VIC = re.compile(r'VIC\s+(\d+):\s+(\d+)x(\d+)(i?)\s+([\d.]+) Hz\s+(\d+:\d+)\s.*?( \(native\))?$')


def is_heading(line):
    """A CTA-861 data block's heading, not a DisplayID one's."""
    return bool(UNKNOWN.match(line) or HEADING.match(line)) \
        and 'DisplayID Data Block' not in line and not re.search(r'\(0x..\)', line)


def data_blocks(text):
    """Every CTA-861 data block edid-decode shows: (block, name, oui, lines), those that
    DisplayID sections embed too."""
    blocks, current, index, kind, embedded = [], None, None, None, False
    for line in text.splitlines():
        if m := re.match(r'Block (\d+), (.*):$', line):
            index, kind, embedded, current = int(m[1]), m[2], False, None
            continue
        if not line.startswith('  ') or line.startswith('  Checksum'):
            current = None
            continue
        if kind.startswith('DisplayID') and line == '  CTA-861 DisplayID Data Block:':
            embedded = True
            continue
        if not (kind.startswith('CTA-861') or embedded) or line.startswith('   '):
            if current is not None and line.startswith('    '):
                current[3].append(line[4:].rstrip())
            continue
        if not is_heading(line):
            embedded, current = False, None
            continue
        if m := UNKNOWN.match(line):
            name = f'{m[1]} ({m[2]} {m[3]})'
            current = [index, NEWER_NAMES.get(name, f'{name[:-1]}, length {m[4]})'), None, []]
        else:
            m = HEADING.match(line)
            current = [index, m[1], m[2], []]
        blocks.append(current)
    return blocks


def first(blocks, prefix):
    found = next((lines for _, name, _, lines in blocks if name.startswith(prefix)), None)
    return None if found is None else stripped(found)


def stripped(lines):
    return [s.strip() for s in lines or []]


def values(lines, pattern, convert=int):
    return [convert(m[1]) for s in stripped(lines) if (m := re.match(pattern, s))]


def value(lines, pattern, convert=int):
    found = values(lines, pattern, convert)
    return found[0] if found else None


def audio_of(lines):
    """Each descriptor: a line of its format, then its fields indented further."""
    audio = []
    for line in lines:
        s = line.strip()
        if not line.startswith(' ') and s.endswith(':'):
            name = s[:-1]
            audio.append({'format': None if name.startswith(('Unknown', 'Reserved'))
                          else AUDIO_FORMATS.get(name, name), 'max_channels': None,
                          'sample_rates_khz': [], 'sample_sizes_bits': [],
                          'max_bitrate_kbps': None})
        elif re.match(r'Reserved \(0x..\)$', s):
            audio.append(None)  # format 0: shown without its fields
        elif audio[-1] is None:
            continue
        elif m := re.match(r'Max channels: (\d+)$', s):
            audio[-1]['max_channels'] = int(m[1])
        elif m := re.match(r'Supported sample rates \(kHz\):(.*)$', s):
            audio[-1]['sample_rates_khz'] = sorted(float(r) for r in m[1].split())
        elif m := re.match(r'Supported sample sizes \(bits\):(.*)$', s):
            audio[-1]['sample_sizes_bits'] = sorted(int(r) for r in m[1].split())
        elif m := re.match(r'Maximum bit rate: (\d+) kb/s$', s):
            audio[-1]['max_bitrate_kbps'] = int(m[1])
    return audio


def frl_of(lines):
    described = value(lines, r'Max Fixed Rate Link: (.*)$', str)
    return described and next(gbps for words, gbps in FRL.items() if described.endswith(words))


def check_flag(check, skip, field, ours, theirs):
    """A flag of a byte the block may be too short to hold: we leave it empty, edid-decode
    shows nothing, as for a flag not set."""
    if ours is None and theirs is False:
        skip('flag past the end of a short block: ours null, edid-decode shows none')
    else:
        check(field, ours, theirs)


def compare(ours, text, check, skip):
    """Checks each field of ours that edid-decode's output `text` shows."""
    cta = ours.get('cta')
    blocks = data_blocks(text)
    if cta is None:
        return
    header = text[text.find('CTA-861 Extension Block:'):]
    if 'CTA-861 Extension Block:' in text:
        check('cta.revision', cta['revision'], value(header.splitlines(), r'Revision: (\d+)$'))
        if cta['revision'] != 1:
            lines = header.split('\nChecksum')[0].splitlines()
            for key, said in (('underscan', '  Underscans IT Video Formats by default'),
                              ('basic_audio', '  Basic audio support'),
                              ('ycbcr444', '  Supports YCbCr 4:4:4'),
                              ('ycbcr422', '  Supports YCbCr 4:2:2')):
                check(f'cta.{key}', cta[key], said in lines)
            check('cta.native_dtds', cta['native_dtds'],
                  value(lines, r'Native detailed modes: (\d+)$'))
    ours_blocks = {b['block'] for b in cta['data_blocks']}
    shown = [b for b in blocks if b[0] in ours_blocks]
    for block in {b[0] for b in blocks} - ours_blocks:
        if block > ours['extension_count']:
            skip('CTA-861 block beyond the extension count: listed, not decoded')
        else:
            skip('CTA-861 data blocks of a DisplayID section: not decoded until the DisplayID '
                 'decoder hands them over')
    check('cta.data_blocks', [[b['block'], b['name']] for b in cta['data_blocks']],
          [[b[0], b[1]] for b in shown])
    vendors = [[oui, re.search(r'\(([^)]*)\)$', name)[1] if name.endswith(')') else None]
               for _, name, oui, _ in shown if 'Vendor-Specific' in name]
    ours_vendors = [[v['oui'], v['name']] for v in cta['vendor_blocks']]
    if len(vendors) == len(ours_vendors):
        for n in reversed(range(len(vendors))):
            if ours_vendors[n][0] is None:
                # edid-decode takes the missing bytes of the OUI from past the block.
                skip('vendor block shorter than an OUI: ours null, edid-decode reads on')
                del vendors[n], ours_vendors[n]
    check('cta.vendor_blocks', ours_vendors, vendors)

    svds = [line for _, name, _, lines in shown if name == 'Video Data Block' for line in lines]
    video = []
    for s in svds:
        if m := VIC.match(s):
            video.append({'vic': int(m[1]), 'native': bool(m[7]), 'width': int(m[2]),
                          'height': int(m[3]), 'interlaced': m[4] == 'i', 'aspect': m[6],
                          'refresh_hz': float(m[5])})
        elif m := re.match(r'Unknown \(VIC\s*(\d+)\)$', s):
            video.append({'vic': int(m[1]), 'native': False, 'width': None, 'height': None,
                          'interlaced': None, 'aspect': None, 'refresh_hz': None})
    check('cta.video (count)', len(cta['video']), len(video))
    for n, (o, t) in enumerate(zip(cta['video'], video)):
        for key in ('vic', 'width', 'height', 'interlaced', 'aspect'):
            check(f'cta.video[{n}].{key}', o[key], t[key])
        check(f'cta.video[{n}].native', o['native'] is True, t['native'])
        check(f'cta.video[{n}].refresh_hz', o['refresh_hz'], t['refresh_hz'], SIX_DECIMALS)

    check('cta.ycbcr420_only_vics', cta['ycbcr420_only_vics'],
          [int(m[1]) for _, name, _, lines in shown if name == 'YCbCr 4:2:0 Video Data Block'
           for s in lines if (m := re.match(r'VIC\s+(\d+):', s))])
    capable = first(shown, 'YCbCr 4:2:0 Capability Map')
    if capable is not None:
        check('cta.ycbcr420_capable_vics', cta['ycbcr420_capable_vics'],
              cta['vics'] if 'All VDB SVDs' in capable else values(capable, r'VIC\s+(\d+):'))
    check('cta.hdmi_vics', cta['hdmi_vics'],
          [HDMI_VICS[int(m[1])] for _, name, _, lines in shown
           if name == 'Vendor-Specific Data Block (HDMI)' for s in stripped(lines)
           if (m := re.match(r'HDMI VIC (\d+):', s)) and int(m[1]) in HDMI_VICS])

    theirs_audio = audio_of([s for _, name, _, lines in shown if name == 'Audio Data Block'
                             for s in lines])
    check('cta.audio (count)', len(cta['audio']), len(theirs_audio))
    for n, (o, t) in enumerate(zip(cta['audio'], theirs_audio)):
        if t is None:
            skip('short audio descriptor of the reserved format 0: edid-decode shows no fields')
            continue
        for key in t:
            check(f'cta.audio[{n}].{key}', o[key], t[key])

    speakers = first(shown, 'Speaker Allocation Data Block')
    check('cta.speakers', cta['speakers'], [s.split(' - ')[0] for s in speakers or []])

    hdmi = first(shown, 'Vendor-Specific Data Block (HDMI)')
    check('cta.hdmi (present)', cta['hdmi'] is not None, hdmi is not None)
    if hdmi is not None and cta['hdmi']:
        o = cta['hdmi']
        check('cta.hdmi.physical_address', o['physical_address'],
              value(hdmi, r'Source physical address: (\S+)$', str))
        # A stored 0 is no limit given: we show none, edid-decode shows "0 MHz".
        check('cta.hdmi.max_tmds_mhz', o['max_tmds_mhz'],
              value(hdmi, r'Maximum TMDS clock: (\d+) MHz$') or None)
        check('cta.hdmi.deep_color_bits', o['deep_color_bits'],
              [bits for bits in (30, 36, 48) if f'DC_{bits}bit' in hdmi])
        check_flag(check, skip, 'cta.hdmi.supports_ai', o['supports_ai'], 'Supports_AI' in hdmi)

    forum = first(shown, 'Vendor-Specific Data Block (HDMI Forum)')
    if forum is None:
        forum = first(shown, 'HDMI Forum Sink Capability Data Block')
    check('cta.hdmi_forum (present)', cta['hdmi_forum'] is not None, forum is not None)
    if forum is not None and cta['hdmi_forum']:
        o = cta['hdmi_forum']
        for key, theirs in (
                ('version', value(forum, r'Version: (\d+)$')),
                ('max_tmds_mhz', value(forum, r'Maximum TMDS Character Rate: (\d+) MHz$')),
                ('scdc', 'SCDC Present' in forum), ('max_frl_gbps', frl_of(forum)),
                ('vrr_min_hz', value(forum, r'VRRmin: (\d+) Hz$')),
                ('vrr_max_hz', value(forum, r'VRRmax: (\d+) Hz$')),
                ('allm', 'Supports Auto Low-Latency Mode' in forum),
                ('dsc', 'Supports VESA DSC 1.2a compression' in forum)):
            check_flag(check, skip, f'cta.hdmi_forum.{key}', o[key], theirs)

    amd = first(shown, 'Vendor-Specific Data Block (AMD)')
    check('cta.freesync (present)', cta['freesync'] is not None, amd is not None)
    if amd is not None and cta['freesync']:
        check('cta.freesync', cta['freesync'],
              {'version': value(amd, r'Version: (\d+\.\d+)$', str),
               'min_hz': value(amd, r'Minimum Refresh Rate: (\d+) Hz$'),
               'max_hz': value(amd, r'Maximum Refresh Rate: (\d+) Hz$')})

    colorimetry = first(shown, 'Colorimetry Data Block')
    check('cta.colorimetry', cta['colorimetry'],
          [s for s in colorimetry or [] if not s.startswith('Reserved MD')])

    capability = first(shown, 'Video Capability Data Block')
    # An empty block shows nothing, as it holds nothing.
    check('cta.video_capability (present)', cta['video_capability'] is not None,
          bool(capability))
    if capability and cta['video_capability']:
        theirs = {'qy': 'YCbCr quantization: Selectable (via AVI YQ)' in capability,
                  'qs': 'RGB quantization: Selectable (via AVI Q)' in capability}
        theirs.update({m[1].lower(): m[2] for s in capability if (m := SCAN.match(s))})
        check('cta.video_capability', cta['video_capability'], theirs)

    hdr = first(shown, 'HDR Static Metadata Data Block')
    if hdr is not None and cta['hdr']:
        check('cta.hdr.metadata_types', cta['hdr']['metadata_types'],
              values(hdr, r'Static metadata type (\d+)$'))
    check('cta.hdr_dynamic', cta['hdr_dynamic'],
          values(first(shown, 'HDR Dynamic Metadata Data Block') or [],
                 r'HDR Dynamic Metadata Type (\d+)$'))
