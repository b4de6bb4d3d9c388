#!/usr/bin/python3
"""Builds the German operator manual: one HTML page per Markdown file, with a common contents list.

handbuch.py SOURCE_DIR SCREENSHOT_DIR OUTPUT_DIR PAGE...   (PAGE: a file stem, in the order of the contents)

Links to "x.md" become "x.html"; pictures "../screenshots/NAME" are copied to "bilder/NAME". The output holds no
time stamp, so two builds of the same sources are identical.
"""
import html
import pathlib
import re
import shutil
import sys

import markdown

STYLE = """body { font-family: "DejaVu Sans", "Liberation Sans", sans-serif; margin: 0; color: #1a1a1a; }
nav { position: fixed; top: 0; bottom: 0; left: 0; width: 15em; overflow-y: auto; background: #eef0f4;
      padding: 1em; box-sizing: border-box; font-size: 90%; }
nav ol { padding-left: 1.2em; } nav li { margin: 0.3em 0; } nav .hier { font-weight: bold; }
main { margin-left: 16em; max-width: 48em; padding: 1em 2em 3em 1em; line-height: 1.45; }
h1, h2, h3 { color: #000080; } img { max-width: 100%; border: 1px solid #c0c0c0; }
table { border-collapse: collapse; } th, td { border: 1px solid #c0c0c0; padding: 0.25em 0.5em; text-align: left; }
code, kbd { background: #f2f2f2; padding: 0 0.2em; }
.weiter { margin-top: 3em; border-top: 1px solid #c0c0c0; padding-top: 0.5em; display: flex; justify-content: space-between; }
@media print { nav { display: none; } main { margin-left: 0; } }
"""

HERE = ' class="hier"'

PAGE = """<!DOCTYPE html>
<html lang="de">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{title} – Handbuch Brisal Client</title>
<link rel="stylesheet" href="handbuch.css">
</head>
<body>
<nav><p><a href="index.html"><b>Handbuch Brisal Client</b></a></p>
<ol>
{contents}
</ol></nav>
<main>
{body}
<p class="weiter">{previous}{following}</p>
</main>
</body>
</html>
"""


def title_of(text, stem):
    match = re.search(r"^# (.+)$", text, re.MULTILINE)
    if not match:
        sys.exit(f"handbuch.py: {stem}.md has no '# ' title line")
    return match.group(1).strip()


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    source, screenshots, output = (pathlib.Path(a) for a in sys.argv[1:4])
    stems = sys.argv[4:]
    texts = {stem: (source / f"{stem}.md").read_text(encoding="utf-8") for stem in stems}
    titles = {stem: title_of(texts[stem], stem) for stem in stems}
    (output / "bilder").mkdir(parents=True, exist_ok=True)
    (output / "handbuch.css").write_text(STYLE, encoding="utf-8")

    for index, stem in enumerate(stems):
        converter = markdown.Markdown(extensions=["tables", "toc", "attr_list"], output_format="html")
        body = converter.convert(texts[stem])
        body = re.sub(r'href="([\w-]+)\.md(#[\w-]+)?"', r'href="\1.html\2"', body)

        def picture(match):
            name = match.group(1)
            if not (screenshots / name).is_file():
                sys.exit(f"handbuch.py: {stem}.md shows a missing picture {name}")
            shutil.copyfile(screenshots / name, output / "bilder" / name)
            return f'src="bilder/{name}"'

        body = re.sub(r'src="\.\./screenshots/([\w.-]+)"', picture, body)
        for target in re.findall(r'href="([\w-]+)\.html', body):
            if target not in titles:
                sys.exit(f"handbuch.py: {stem}.md links to a missing page {target}.md")
        contents = "\n".join(
            f'<li{HERE if other == stem else ""}><a href="{other}.html">{html.escape(titles[other])}</a></li>'
            for other in stems)
        previous = (f'<a href="{stems[index - 1]}.html">← {html.escape(titles[stems[index - 1]])}</a>'
                    if index > 0 else "<span></span>")
        following = (f'<a href="{stems[index + 1]}.html">{html.escape(titles[stems[index + 1]])} →</a>'
                     if index + 1 < len(stems) else "<span></span>")
        page = PAGE.format(title=html.escape(titles[stem]), contents=contents, body=body,
                           previous=previous, following=following)
        (output / f"{stem}.html").write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
