"""Fields of the CTA-861 data blocks of formats: video, audio, speakers and rooms, and the blocks
that name formats by reference (preferences, native resolution, 4:2:0 capability map)."""
import re

from cta_fields import AUDIO_FORMATS as OUR_FORMATS

# edid-decode's names of the audio formats, by code; of the extended ones, by extension code.
AUDIO_FORMATS = {1: 'Linear PCM', 2: 'AC-3', 3: 'MPEG 1 (Layers 1 & 2)', 4: 'MPEG 1 Layer 3 (MP3)',
                 5: 'MPEG2 (multichannel)', 6: 'AAC LC', 7: 'DTS', 8: 'ATRAC',
                 9: 'One Bit Audio', 10: 'Enhanced AC-3 (DD+)', 11: 'DTS-HD', 12: 'MAT (MLP)',
                 13: 'DST', 14: 'WMA Pro'}
EXTENDED_FORMATS = {1: 'HE AAC (Obsolete)', 2: 'HE AAC v2 (Obsolete)',
                    3: 'MPEG Surround (Obsolete)', 4: 'MPEG-4 HE AAC', 5: 'MPEG-4 HE AAC v2',
                    6: 'MPEG-4 AAC LC', 7: 'DRA', 8: 'MPEG-4 HE AAC + MPEG Surround',
                    10: 'MPEG-4 AAC LC + MPEG Surround', 11: 'MPEG-H 3D Audio', 12: 'AC-4',
                    13: 'L-PCM 3D Audio', 14: 'Auro-Cx', 15: 'MPEG-D USAC'}
LAST_RID = 28


def khz(rates):
    return ' '.join('%g' % (hz / 1000) for hz in sorted(rates, reverse=True))


def key_values(lines):
    """{key: value} of 'Key: value' lines; a line without a value is its own key, True."""
    out = {}
    for line in lines:
        line = line.strip()
        key, sep, value = line.partition(': ')
        if not sep and line.endswith(':'):
            key, sep = line[:-1], ':'
        out[key] = value if sep else True
    return out


def sad_lines(sad):
    """What edid-decode prints under a short audio descriptor, from our fields: {key: value}."""
    out, code, ext = {}, sad['format_code'], sad.get('extended_code')
    if 'max_channels' in sad:
        out['Max channels'] = str(sad['max_channels'])
    if 'mpeg_h_level' in sad:
        level = sad['mpeg_h_level']
        out['MPEG-H 3D Audio Level'] = ('Unspecified' if level == 0 else 'Level %d' % level
                                        if level <= 5 else
                                        'Unknown MPEG-H 3D Audio Level (0x%02x)' % level)
    out['Supported sample rates (kHz)'] = khz(sad['sample_rates'])
    if 'sample_sizes' in sad:
        out['Supported sample sizes (bits)'] = ' '.join(
            str(s) for s in sorted(sad['sample_sizes'], reverse=True))
    if 'max_bit_rate' in sad:
        out['Maximum bit rate'] = '%d kb/s' % sad['max_bit_rate']
    flags = {'joint_object_coding': 'Supports Joint Object Coding',
             'joint_object_coding_acmod28': 'Supports Joint Object Coding with ACMOD28',
             'dts_x': 'Supports DTS:X',
             'low_complexity': 'Supports MPEG-H 3D Audio Low Complexity Profile',
             'mps_explicit': 'Supports implicitly and explicitly signaled MPEG Surround data',
             'system_h': 'Supports 22.2ch System H'}
    for key, line in flags.items():
        if sad.get(key):
            out[line] = True
    if 'format_value' in sad:
        value = sad['format_value']
        out['Audio Format Code dependent value'] = str(value) if ext in (12, 14) \
            else '0x%02x' % value
    if 'pcm' in sad:
        if sad['pcm']:
            out['Supports Dolby TrueHD, object audio PCM and channel-based PCM'] = True
            out['Hash calculation %srequired for object audio PCM or channel-based PCM'
                % ('' if sad['hash_required'] else 'not ')] = True
        else:
            out['Supports only Dolby TrueHD'] = True
    if 'profile' in sad:
        out['Profile'] = str(sad['profile'])
    if 'frame_lengths' in sad:
        out['AAC audio frame lengths'] = ' '.join(
            '%d_TL' % n for n in sorted(sad['frame_lengths'], reverse=True))
    return out


def sad_heading(sad, reserved='Reserved (0x00)'):
    code, ext = sad['format_code'], sad.get('extended_code')
    if code == 0:
        return reserved
    if code == 15:
        return EXTENDED_FORMATS.get(ext, 'Unknown Audio Ext Format (0x%02x)' % ext) + ':'
    return AUDIO_FORMATS.get(code, 'Unknown Audio Format (0x%02x)' % code) + ':'


def entries(body):
    """(heading, its lines) of each entry whose heading is at indent 0."""
    out = []
    for line in body:
        if not line.startswith(' '):
            out.append((line, []))
        elif out:
            out[-1][1].append(line[2:])
    return out


def compare_sads(name, sads, theirs, result, reserved='Reserved (0x00)'):
    if len(theirs) != len(sads):
        result.same(name + ' count', len(sads), len(theirs))
        return
    for i, (sad, (heading, lines)) in enumerate(zip(sads, theirs)):
        where = '%s[%d]' % (name, i)
        result.same(where + '.format', sad_heading(sad, reserved), heading)
        if sad['format'] is not None and sad['format_code'] != 0:
            result.same(where + '.name', sad['format'], OUR_FORMATS.get(heading[:-1], heading[:-1]))
        if sad['format_code'] == 0:
            continue
        ours, got = sad_lines(sad), key_values(lines)
        if sad.get('extended_code') in (12, 14) and 'max_channels' not in sad \
                and got.get('Max channels') == '1':
            result.skip('audio-reserved-channels')
            del got['Max channels']
        for key in sorted(set(ours) | set(got)):
            result.same('%s.%s' % (where, key), ours.get(key), got.get(key))


def audio(fields, body, heading, result):
    if not body and fields['sads']:
        result.skip('audio-partial-descriptor', len(fields['sads']))
        return
    compare_sads('sads', fields['sads'], entries(body), result)


def vic_lines(body, result):
    """(VIC, native) of each line of VICs, skipping the timing each states."""
    out = []
    for line in body:
        if m := re.match(r'VIC\s+(\d+):.*?( \(native\))?$', line):
            out.append((int(m[1]), bool(m[2])))
            result.skip('vic-timing')
        elif m := re.match(r'Unknown \(VIC\s+(\d+)\)$', line):
            out.append((int(m[1]), False))
        else:
            result.wrong('line not read: %r' % line)
    return out


def video(fields, body, heading, result):
    theirs = vic_lines(body, result)
    ours = [(s['vic'], s['native']) for s in fields['svds'] if s['vic'] is not None]
    if len(ours) < len(theirs) and theirs[:len(ours)] == ours:
        result.skip('svds-past-block-end', len(theirs) - len(ours))
        theirs = theirs[:len(ours)]
    result.same('svds', ours, theirs)


def capability_map(fields, body, heading, result):
    if fields['all_svds']:
        result.same('all_svds', True, body == ['All VDB SVDs'])
        return
    ours, lines = [], []
    for s in fields['svds']:
        ours.append(('vic', s['vic'] or 0) if s['listed'] else ('out of range', s['index']))
    if not ours:
        result.same('svds', [], [] if body == ['Empty Capability Map'] else body)
        return
    theirs = []
    for line in body:
        if m := re.match(r'SVD Index (\d+) is out of range$', line):
            theirs.append(('out of range', int(m[1])))
        else:
            lines.append(line)
            theirs.append(None)
    vics = iter(vic_lines(lines, result))
    theirs = [t or ('vic', next(vics)[0]) for t in theirs]
    result.same('svds', ours, theirs)



def speakers(fields, body, heading, result):
    theirs = []
    for line in body:
        m = re.match(r'(\S+) - .*?( \(Deprecated, use the RCDB\))?$', line)
        theirs.append((m[1], bool(m[2])) if m else line)
    names, deprecated = fields['speakers'], fields['deprecated']
    ours = [(n, i >= len(names) - len(deprecated)) for i, n in enumerate(names)]
    if not theirs and ours:
        result.skip('sadb-short')
        return
    if ours and ours[-1][0] == 'LSd/RSd':
        result.skip('sadb-lsd-rsd')
        ours.pop()
    if fields['reserved_bits']:
        result.skip('speaker-reserved-bits', len(fields['reserved_bits']))
    result.same('speakers', ours, theirs)


def room_configuration(fields, body, heading, result):
    got = key_values(line for line in body if not line.startswith(' '))
    theirs = [line.strip().split(' - ')[0] for line in body if line.startswith(' ')]
    if not body:
        result.skip('rcdb-short')
        return
    count = fields['speaker_count']
    result.same('speaker_count', None if count is None else str(count), got.get('Speaker count'))
    result.same('speakers', fields.get('speakers'), theirs if 'Speaker Presence Mask' in got
                else None)
    if fields.get('reserved_bits'):
        result.skip('speaker-reserved-bits', len(fields['reserved_bits']))
    for axis in 'xyz':
        key = 'max_' + axis
        if key in fields and axis.upper() + 'max' not in got:
            result.skip('rcdb-max-unused')
        elif key in fields or axis.upper() + 'max' in got:
            result.same(key, '%s dm' % fields.get(key), got.get(axis.upper() + 'max'))
        key = 'display_' + axis
        if key in fields or 'Display' + axis.upper() in got:
            result.same(key, '%.3f * %smax' % (fields.get(key), axis.upper()),
                        got.get('Display' + axis.upper()))
    for key in got:
        if key not in ('Speaker count', 'Speaker Presence Mask') and \
                not re.match(r'[XYZ]max$|Display[XYZ]$', key):
            result.wrong('line not read: %r' % key)


def speaker_location(fields, body, heading, result):
    theirs = entries(body)
    if len(theirs) != len(fields['speakers']):
        result.same('speakers count', len(fields['speakers']), len(theirs))
        return
    for i, (s, (line, lines)) in enumerate(zip(fields['speakers'], theirs)):
        where = 'speakers[%d]' % i
        result.same(where + '.channel', 'Channel: %d (%sactive)' % (
            s['channel'], '' if s['active'] else 'not '), line)
        got = key_values(lines)
        sid = s['speaker_id']
        result.same(where + '.speaker', s['speaker'] or ('None Specified' if sid == 31 else
                                                         'Reserved (%d)' % sid),
                    got.pop('Speaker ID', '').split(' - ')[0])
        for axis in 'xyz':
            value = got.pop(axis.upper(), None)
            if value is not None and value.endswith('(approximately)') and axis not in s:
                result.skip('sldb-usual-place')
            else:
                result.same(where + '.' + axis, None if axis not in s else '%.3f * %smax'
                            % (s[axis], axis.upper()), value)
        for key in got:
            result.wrong('line not read: %r' % key)


def svr_line(svr):
    """What edid-decode prints of a short video reference, to the first ':' and what it reads
    from the other blocks left out."""
    kind = svr['kind']
    if kind == 'vic':
        return 'VIC %3d' % svr['number']
    if kind == 'dtd':
        return 'DTD %3d' % svr['number']
    if kind == 'vtdb':
        return 'VTDB %3d' % svr['number']
    if kind == 'rid':
        return 'RID @%dp' % svr['rate']
    return kind.upper()


def svr_theirs(line, result):
    """edid-decode's line of a short video reference, as svr_line() gives ours."""
    head, _, rest = line.partition(':')
    if m := re.match(r'RID \d+@(\d+)p$', head):
        result.skip('svr-other-blocks')
        head = 'RID @%sp' % m[1]
    elif head.startswith('DMT 0x'):
        result.skip('svr-other-blocks')
        head = 'T8VTDB'
    elif rest.strip() == 'Invalid':
        result.skip('svr-other-blocks')
    elif head.startswith('VIC') and rest.strip() != 'Unknown':
        result.skip('vic-timing')
    return head


def preference(fields, body, heading, result):
    ours = [svr_line(s) for s in fields['svrs'] if s['kind'] != 'reserved']
    result.same('svrs', ours, [svr_theirs(line, result) for line in body])


def native_resolution(fields, body, heading, result):
    got = key_values(line for line in body if line.startswith('Image Size'))
    svrs = [line for line in body if not line.startswith('Image Size')]
    native = fields.get('native')
    result.same('native', [svr_line(native)] if native and native['kind'] != 'reserved' else [],
                [svr_theirs(line, result) for line in svrs])
    size = None
    if 'image_width' in fields:
        size = '%.1fx%.1f mm' % (fields['image_width'], fields['image_height'])
        if not got and 0 in (fields['image_width'], fields['image_height']):
            result.skip('nvrdb-zero-size')
            return
    result.same('image_size', size, got.get('Image Size'))


def video_format(fields, body, heading, result):
    got = set(line for line in body if not line.startswith('RID'))
    if 'ycbcr420' in fields:
        result.same('ycbcr420', fields['ycbcr420'], 'Supports YCbCr 4:2:0' in got)
        result.same('ntsc_fractional', fields['ntsc_fractional'],
                    'NTSC fractional frame rates are preferred' in got)
    for line in got - {'Supports YCbCr 4:2:0', 'NTSC fractional frame rates are preferred'}:
        result.wrong('line not read: %r' % line)
    theirs = []
    for line in body:
        if m := re.match(r'RID (\d+)@(\d+)p:', line):
            theirs.append((int(m[1]), int(m[2])))
            result.skip('vfd-timing')
    ours = []
    for vfd in fields.get('vfds', []):
        if not 1 <= vfd['rid'] <= LAST_RID:
            result.skip('vfd-unknown-rid')
            continue
        ours += [(vfd['rid'], rate) for rate in vfd['rates']]
    if not body and ours:
        result.skip('vfdb-length')
        return
    result.same('vfds', ours, theirs)


def hdmi_audio(fields, body, heading, result):
    got = key_values(line for line in body if line.startswith(('Max Stream', 'Supports MS')))
    streams = fields.get('max_streams')
    result.same('max_streams', None if streams is None else str(streams),
                got.get('Max Stream Count'))
    result.same('ms_non_mixed', bool(streams) and fields.get('ms_non_mixed'),
                'Supports MS NonMixed' in got)
    rest = [e for e in entries(body) if not e[0].startswith(('Max Stream', 'Supports MS'))]
    sads = [e for e in rest if not e[0].startswith(('Speaker Allocation', 'Unknown Speaker'))]
    # edid-decode names the reserved code 0 of a 3D descriptor otherwise.
    compare_sads('sads_3d', fields.get('sads_3d', []), sads, result,
                 'Unknown Audio Format (0x00):')
    layouts = [e for e in rest if e not in sads]
    ours = fields.get('speakers_3d')
    theirs = None
    if layouts:
        line, names = layouts[0]
        theirs = (line, [n.split(' - ')[0] for n in names])
    if ours is not None:
        ours = ('Speaker Allocation for %s channels:' % ours['layout'] if ours['layout'] else
                'Unknown Speaker Allocation (0x%02x)' % ours['layout_code'],
                ours['speakers'] if ours['layout'] else [])
    result.same('speakers_3d', ours, theirs)


def infoframe(fields, body, heading, result):
    got = key_values(line for line in body if line.startswith('VSIFs'))
    result.same('vsifs', str(fields['vsifs']) if 'vsifs' in fields else None, got.get('VSIFs'))
    theirs = []
    for line in body:
        if line.startswith('VSIFs'):
            continue
        # A vendor's InfoFrame cut short ends edid-decode's line without a line break.
        line = re.sub(r'Checksum: .*', '', line)
        theirs.append(line)
    ours = []
    for frame in fields.get('infoframes', []):
        ours.append('%s InfoFrame (%d)%s' % (frame['name'] or 'Unknown', frame['type'],
                                              ', OUI ' + frame['oui'] if 'oui' in frame else ''))
        if frame['payload_size']:
            result.skip('infoframe-payload')
            break
    if len(theirs) == len(ours) + 1 and theirs[-1].startswith('Vendor-Specific InfoFrame'):
        result.skip('infoframe-short-vendor')
        theirs.pop()
    result.same('infoframes', ours, theirs)


def product_information(fields, body, heading, result):
    got = key_values(body)
    result.same('oui', fields.get('oui'), got.pop('IEEE CID/OUI', None))
    version = fields.get('version')
    result.same('version', None if version is None else str(version), got.pop('Version', None))
    result.same('product_name', fields.get('product_name'), got.pop('Product Name', None))
    for key in got:
        result.wrong('line not read: %r' % key)


def raw(fields, body, heading, result):
    theirs = []
    for line in body:
        theirs += line.split("'")[0].split()
    result.same('bytes', fields['bytes'], ' '.join(theirs))


def displayid_timings(fields, body, heading, result):
    if body:
        result.skip('cta-displayid-timings', len(body))


BY_TAG = {(1, None): audio, (2, None): video, (4, None): speakers, (6, None): video_format,
          (7, 4): raw, (7, 8): native_resolution, (7, 13): preference, (7, 14): video,
          (7, 15): capability_map, (7, 16): raw, (7, 18): hdmi_audio,
          (7, 19): room_configuration, (7, 20): speaker_location, (7, 32): infoframe,
          (7, 33): product_information, (7, 0x22): displayid_timings,
          (7, 0x23): displayid_timings, (7, 0x2A): displayid_timings}


def comparer(kind, entry):
    if kind != 'cta':
        return None
    return BY_TAG.get((entry['tag'], entry['extended_tag']))
