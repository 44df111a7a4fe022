"""Fields of the head-mounted display blocks of DisplayID 2.1 (tags 0x2C and 0x2D)."""
import re

import fields_displayid as did


def counted(text):
    """"One" to "Four", or "Reserved (n)", as the count a stored n gives."""
    words = ['One', 'Two', 'Three', 'Four']
    if text in words:
        return words.index(text) + 1
    m = re.match(r'Reserved \((\d+)\)$', text)
    return int(m[1]) + 1 if m else text


def names(*pairs):
    table = dict(pairs)
    return lambda text: table.get(text, 'reserved' if text.startswith('Reserved') else text)


number, integer = did.number, did.integer


def yes(text):
    return text == 'Yes'


STREAMS = names(('Not Supported', 'none'), ('One Stream', 'one'), ('Two Streams Only', 'two'),
                ('One or Two Streams', 'one-or-two'))
# edid-decode's label of each line and the key and reading of ours.
HMD = {
    'Dual Layer with Single-Stream Transport': ('dual_layer_sst', names(
        ('Not Supported by the HMD', 'none'), ('Interleaving Supported by the HMD', 'interleaving'),
        ('Extended Frame Supported by the HMD', 'extended-frame'),
        ('Both Extended Frame and Interleaving Supported by the HMD', 'both'))),
    'Dual Layer Single-Stream Interleaving Mode': ('interleaving_stacked', lambda t: t.startswith(
        'Left then Right Stacked')),
    'Dual Layer Single-Stream Extended Frame Mode': ('extended_frame', names(
        ('Left then Right Side-by-Side, Layers Side-by-Side', 'side-by-side-layers-side-by-side'),
        ('Left then Right Stacked, Layers Side-by-Side', 'stacked-layers-side-by-side'),
        ('Left then Right Side-by-Side, Layers Stacked', 'side-by-side-layers-stacked'))),
    'Number of Displays': ('displays', counted),
    'Number of Streams': ('streams', counted),
    'Number of Layers': ('layers', lambda t: {'Single Layer': 1, 'Two Layers': 2}.get(
        t, counted(t))),
    'Layer Metadata Support': ('layer_metadata', names(
        ('None', 'none'), ('1st Line of Layer 0', 'first-line'), ('AR/VR SDP', 'sdp'),
        ('Both 1st Line and AR/VR SDP', 'first-line-and-sdp'))),
    'Replication Factor': ('replication_factor', integer),
    'Right Low Distortion Area X Coordinate': ('right_low_distortion_x', integer),
    'Right Low Distortion Area Y Coordinate': ('right_low_distortion_y', integer),
    'Left Low Distortion Area X Coordinate': ('left_low_distortion_x', integer),
    'Left Low Distortion Area Y Coordinate': ('left_low_distortion_y', integer),
    'Low Distortion Area Width': ('low_distortion_width', integer),
    'Low Distortion Area Height': ('low_distortion_height', integer),
    'Right Eye Rotation Orientation': ('right_eye_orientation', lambda t: int(
        re.search(r'#(\d+)', t)[1])),
    'Left Eye Rotation Orientation': ('left_eye_orientation', lambda t: int(
        re.search(r'#(\d+)', t)[1])),
    'Right Lens Diameter': ('right_lens_diameter_cm', number),
    'Left Lens Diameter': ('left_lens_diameter_cm', number),
    'Interocular Angle': ('interocular_angle_rad', number),
    'Lens Adjustment': ('lens_adjustable', lambda t: t == 'Adjustable'),
    'Lens Adjust Motion': ('lens_motion', names(
        ('Lenses do not move in a straight line', 'not-straight'),
        ('Lenses and displays move together in a straight line', 'together'),
        ('Lenses move in a straight line, displays remain stationary', 'lenses-only'))),
    'Lens Distance Available': ('lens_distance_available', yes),
    'IPD Useful to HMD': ('ipd_useful', yes),
    'Lens Adjust Minimum': ('lens_adjust_min_cm', number),
    'Lens Adjustment Range': ('lens_adjust_range_cm', number),
    'IPD Center Offset': ('ipd_center_offset_cm', number),
    'IPD Measurement Minimum': ('ipd_min_cm', number),
    'IPD Measurement Range': ('ipd_range_cm', number),
    'Foveated Rendering Support': ('foveated', names(
        ('Not Supported', 'none'), ('Single Stream', 'single'), ('Dual Streams', 'dual'),
        ('Single or Dual Streams', 'single-or-dual'))),
    'Horizontal FoV': ('h_fov_rad', number),
    'Right FoV Right': ('right_fov_right_rad', number),
    'Right FoV Left': ('right_fov_left_rad', number),
    'Right FoV Up': ('right_fov_up_rad', number),
    'Right FoV Down': ('right_fov_down_rad', number),
    'Left FoV Right': ('left_fov_right_rad', number),
    'Left FoV Left': ('left_fov_left_rad', number),
    'Left FoV Up': ('left_fov_up_rad', number),
    'Left FoV Down': ('left_fov_down_rad', number),
    'Right Focal Length': ('right_focal_length', number),
    'Left Focal Length': ('left_focal_length', number),
    'Right Center of Projection Y': ('right_projection_y', number),
    'Right Center of Projection X': ('right_projection_x', number),
    'Left Center of Projection Y': ('left_projection_y', number),
    'Left Center of Projection X': ('left_projection_x', number),
    'Layer 0 Streams': ('layer0_streams', STREAMS),
    'Layer 1 Streams': ('layer1_streams', STREAMS),
}
HMD_FLAGS = {'Distance to Right Display Available': 'right_display_distance',
             'Distance to Left Display Available': 'left_display_distance',
             'Distance to Right Eye Available': 'right_eye_distance',
             'Distance to Left Eye Available': 'left_eye_distance'}
LAYER = {
    'HMD Manufacturer/Vendor ID': ('vendor', str),
    'HMD Product ID Code': ('product_code', int),
    'HMD Serial Number': ('serial_number', int),
    'Layer Number': ('layer', lambda t: int(re.search(r'(\d+)', t)[1])),
    'Layer Configurable': ('configurable', yes),
    'Cropping Supported': ('cropping', yes),
    'Lens Distortion Support': ('lens_distortion', names(
        ('None', 'none'), ('Chromatic Aberration Correction', 'chromatic'),
        ('Lens Distortion and Chromatic Aberration Correction', 'distortion-and-chromatic'))),
    'Lens Distortion Configurable': ('lens_distortion_configurable', names(
        ('Not Configurable', 'none'), ('Chromatic Aberration Only', 'chromatic'),
        ('Both Chromatic Aberration and Lens Distortion', 'both'))),
    'Async Reprojection Support': ('async_reprojection', names(
        ('None', 'none'), ('3DoF Only', '3dof'), ('3DoF and 6DoF', '3dof-and-6dof'))),
    'Async Reprojection Configurable': ('async_configurable', names(
        ('Neither 3DoF nor 6DoF can be configured', 'none'),
        ('3DoF can be disabled, 6DoF cannot', '3dof'),
        ('3DoF cannot be disabled, 6DoF can', '6dof'),
        ('Both 3DoF and 6DoF can be disabled', 'both'))),
    'Scaling Support': ('scaling', lambda t: [] if t == 'None' else [
        s.lower() for s in t.split()]),
    'Scaling Configurable': ('scaling_configurable', yes),
}
LAYER_FEATURES = {'Gamma Support': 'gamma', 'Gamma Configurable': 'gamma_configurable',
                  'Degamma Support': 'degamma', 'Degamma Configurable': 'degamma_configurable',
                  'Mura Compensation Support': 'mura',
                  'Mura Compensation Configurable': 'mura_configurable',
                  'VBI Support': 'vbi', 'VBI Configurable': 'vbi_configurable'}
STEREO_MODES = {
    'Left then Right Side-by-Side, Layers on Separate Streams': 'stereo_side_by_side',
    'Left then Right Stacked, Layers on Separate Streams': 'stereo_stacked'}


def hmd(fields, body, heading, result):
    flags = [(key, line) for line, key in HMD_FLAGS.items()]
    did.labelled(fields, did.flags_present(result, fields, body, flags) if fields else body,
                 result, HMD)


def layer(fields, body, heading, result):
    features, others = [], []
    did.labelled(fields, body, result, LAYER, [
        ('(%s)' % '|'.join(LAYER_FEATURES), lambda m: features.append(LAYER_FEATURES[m[1]])),
        (r'Scaling NonListed (\d): ([\d.]+)', lambda m: others.append((int(m[1]), float(m[2])))),
        (r'Stereo Mode: (%s)' % '|'.join(map(re.escape, STEREO_MODES)), lambda m: None)])
    if not fields:
        return
    result.same('features', fields['features'], features)
    if 'other' in fields['scaling']:
        result.same('scaling_other', [(i, v) for i, v in enumerate(fields['scaling_other'])
                                      if v], others)
    for text, key in STEREO_MODES.items():
        result.same(key, fields[key], 'Stereo Mode: ' + text in body)
    if not any(line.startswith('HMD Serial') for line in body):
        did.same(result, fields, 'serial_number', None)


BY_TAG = {0x2c: hmd, 0x2d: layer}
