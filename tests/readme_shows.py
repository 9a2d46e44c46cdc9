#!/usr/bin/env python3
"""README shows FILE whole: one of its fenced code blocks is FILE's text.

usage: readme_shows.py README FILE
"""
import re
import sys

readme, path = sys.argv[1], sys.argv[2]
with open(readme) as text:
    blocks = re.findall(r"^```[a-z]*\n(.*?)^```$", text.read(), re.S | re.M)
with open(path) as text:
    shown = text.read()
if shown not in blocks:
    sys.exit(f"{readme} does not show {path} as it is: copy the file into its code block")
