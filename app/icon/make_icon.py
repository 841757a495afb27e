#!/usr/bin/env python3
"""Writes a Windows icon file (.ico) from a text drawing: one character a pixel, with a palette.

Usage: make_icon.py <drawing.txt> <output.ico>

Each image is stored as a device-independent bitmap: a BITMAPINFOHEADER whose height counts
both masks, the colour table, the colour (XOR) bitmap and the 1-bit transparency (AND) mask,
rows bottom-up and padded to 4 bytes.
"""
import struct
import sys

BLACK = (0, 0, 0)


class DrawingError(Exception):
    pass


def read_drawing(lines):
    """Returns the palette (character -> RGB, or None for transparent) and the images."""
    palette = {}
    images = []
    rows_wanted = 0
    for number, line in enumerate(lines, 1):
        line = line.rstrip("\n")
        if rows_wanted:
            image = images[-1]
            if len(line) != image["width"]:
                raise DrawingError(f"line {number}: {len(line)} pixels, expected {image['width']}")
            for character in line:
                if character not in palette:
                    raise DrawingError(f"line {number}: '{character}' is not in the palette")
            image["rows"].append(line)
            rows_wanted -= 1
            continue
        if not line.strip() or line.startswith("#"):
            continue
        words = line.split()
        if words[0] == "palette" and len(words) == 3 and len(words[1]) == 1:
            colour = words[2]
            palette[words[1]] = None if colour == "transparent" else tuple(bytes.fromhex(colour))
        elif words[0] == "image" and len(words) == 4:
            width, height, bits = (int(word) for word in words[1:])
            if bits not in (1, 4) or not 0 < width <= 256 or not 0 < height <= 256:
                raise DrawingError(f"line {number}: unsupported image {width}x{height}x{bits}")
            images.append({"width": width, "height": height, "bits": bits, "rows": []})
            rows_wanted = height
        else:
            raise DrawingError(f"line {number}: expected a palette or image line: {line}")
    if rows_wanted:
        raise DrawingError(f"the last image lacks {rows_wanted} rows")
    if not images:
        raise DrawingError("no image")
    return palette, images


def packed_row(values, bits):
    """Packs pixel values, first pixel in the high bits, and pads the row to 4 bytes."""
    row = bytearray()
    accumulator = 0
    filled = 0
    for value in values:
        accumulator = (accumulator << bits) | value
        filled += bits
        if filled == 8:
            row.append(accumulator)
            accumulator = filled = 0
    if filled:
        row.append(accumulator << (8 - filled))
    row += bytes(-len(row) % 4)
    return bytes(row)


def icon_image(image, palette):
    """Returns one image as stored in the .ico (and later as an RT_ICON resource)."""
    bits = image["bits"]
    # Transparent pixels take colour 0, black: the screen is ANDed with the mask, then XORed
    # with the colour, so black leaves it unchanged.
    colours = [BLACK]
    for row in image["rows"]:
        for character in row:
            colour = palette[character]
            if colour is not None and colour not in colours:
                colours.append(colour)
    if len(colours) > 1 << bits:
        raise DrawingError(f"a {bits}-bit image has {len(colours)} colours")
    colours += [BLACK] * ((1 << bits) - len(colours))

    colour_rows = b""
    mask_rows = b""
    for row in reversed(image["rows"]):
        pixels = [palette[character] for character in row]
        colour_rows += packed_row(
            [0 if pixel is None else colours.index(pixel) for pixel in pixels], bits)
        mask_rows += packed_row([1 if pixel is None else 0 for pixel in pixels], 1)

    header = struct.pack("<IiiHHIIiiII", 40, image["width"], 2 * image["height"], 1, bits, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, 0, 0)
    colour_table = b"".join(struct.pack("<BBBB", blue, green, red, 0)
                            for red, green, blue in colours)
    return header + colour_table + colour_rows + mask_rows


def icon_file(palette, images):
    """Returns the .ico: the directory, one entry per image, then the images."""
    data = [icon_image(image, palette) for image in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for image, image_data in zip(images, data):
        # 256 is stored as 0; so is the colour count of images with 8 or more bits.
        directory += struct.pack("<BBBBHHII", image["width"] % 256, image["height"] % 256,
                                 1 << image["bits"], 0, 1, image["bits"], len(image_data),
                                 offset)
        offset += len(image_data)
    return directory + b"".join(data)


def main(arguments):
    if len(arguments) != 2:
        sys.exit(__doc__)
    drawing, output = arguments
    try:
        with open(drawing, encoding="utf-8") as source:
            palette, images = read_drawing(source)
        icon = icon_file(palette, images)
    except (DrawingError, ValueError) as error:
        sys.exit(f"{drawing}: {error}")
    with open(output, "wb") as target:
        target.write(icon)


if __name__ == "__main__":
    main(sys.argv[1:])
