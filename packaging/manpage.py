#!/usr/bin/env python3
"""Writes the manual page tesraconnect(1) from the program's own --help and --version
output, the README and the lab guide, so that the page says what they say.

  manpage.py --program EXE --name tesraconnect --readme README.md
             [--guide docs/lab.md] --datadir /usr/share/tesraconnect --out tesraconnect.1

From the lab guide it takes its opening paragraphs, the command line (option texts
richer than --help's), the scenario file and the script language; without a guide the
page carries the --help text and the README's examples.
"""
import argparse
import os
import re
import subprocess
import sys


def esc(text):
    """Plain text to roff: backslashes, and the hyphens of options as minus signs."""
    text = text.replace("\\", "\\e")
    return text


def inline(text):
    """Markdown inline markup to roff fonts."""
    out = []
    pos = 0
    for m in re.finditer(r"`([^`]*)`|\*\*([^*]+)\*\*|\[([^\]]+)\]\([^)]*\)", text):
        out.append(esc(text[pos:m.start()]))
        if m.group(1) is not None:
            out.append("\\fB" + esc(m.group(1)).replace("-", "\\-") + "\\fR")
        elif m.group(2) is not None:
            out.append("\\fB" + esc(m.group(2)) + "\\fR")
        else:
            out.append(esc(m.group(3)))
        pos = m.end()
    out.append(esc(text[pos:]))
    return "".join(out)


def line_start_safe(text):
    """A roff line must not begin with a control character."""
    return "\\&" + text if text[:1] in (".", "'") else text


def split_row(line):
    s = line.strip()
    if s.startswith("|"):
        s = s[1:]
    if s.endswith("|") and not s.endswith("\\|"):
        s = s[:-1]
    return [c.strip().replace("\\|", "|") for c in re.split(r"(?<!\\)\|", s)]


def blocks(lines):
    """Markdown lines to blocks: (kind, payload) with kind heading/para/code/table/item."""
    i = 0
    para = []

    def flush():
        if para:
            yield ("para", " ".join(s.strip() for s in para))
            para.clear()

    while i < len(lines):
        line = lines[i]
        if line.startswith("```"):
            yield from flush()
            j = i + 1
            while j < len(lines) and not lines[j].startswith("```"):
                j += 1
            yield ("code", lines[i + 1:j])
            i = j + 1
            continue
        m = re.match(r"^(#{1,6})\s+(.*)$", line)
        if m:
            yield from flush()
            yield ("heading", (len(m.group(1)), m.group(2).strip()))
        elif line.lstrip().startswith("|"):
            yield from flush()
            rows = []
            while i < len(lines) and lines[i].lstrip().startswith("|"):
                if not re.match(r"^\s*\|[\s:|-]+\|\s*$", lines[i]):
                    rows.append(split_row(lines[i]))
                i += 1
            yield ("table", rows[1:] if len(rows) > 1 else rows)
            continue
        elif re.match(r"^\s*(?:[-*]|\d+\.)\s+", line):
            yield from flush()
            item = [re.sub(r"^\s*(?:[-*]|\d+\.)\s+", "", line)]
            while i + 1 < len(lines) and lines[i + 1].startswith("  ") and lines[i + 1].strip():
                i += 1
                item.append(lines[i].strip())
            yield ("item", " ".join(item))
        elif not line.strip():
            yield from flush()
        else:
            para.append(line)
        i += 1
    yield from flush()


def render(block_list, out):
    for kind, payload in block_list:
        if kind == "heading":
            out.append(".SS " + inline(payload[1]))
        elif kind == "para":
            out.append(".PP")
            out.append(line_start_safe(inline(payload)))
        elif kind == "item":
            out.append(".IP \\(bu 2")
            out.append(line_start_safe(inline(payload)))
        elif kind == "code":
            out.append(".PP")
            out.append(".RS 2")
            out.append(".nf")
            out.extend(line_start_safe(esc(l)) for l in payload)
            out.append(".fi")
            out.append(".RE")
        elif kind == "table":
            for row in payload:
                out.append(".TP")
                out.append(line_start_safe(inline(row[0])))
                body = "; ".join(c for c in row[1:] if c)
                out.append(line_start_safe(inline(body)) if body else "\\&")


def sections(text):
    """Level-two sections of a markdown text: [(title, [blocks])], the text before the
    first one under the title ''."""
    result = [("", [])]
    for b in blocks(text.splitlines()):
        if b[0] == "heading" and b[1][0] == 2:
            result.append((b[1][1], []))
        elif b[0] == "heading" and b[1][0] == 1:
            continue
        else:
            result[-1][1].append(b)
    return result


def run(program, name, arg):
    done = subprocess.run([name, arg], executable=program, capture_output=True, text=True, check=True)
    return done.stdout


def parse_help(text):
    """The --help text: the usage line and [(option names, argument, description)]."""
    usage = ""
    options = []
    for line in text.splitlines():
        m = re.match(r"^usage:\s*(.*)$", line, re.I)
        if m:
            usage = m.group(1)
            continue
        m = re.match(r"^\s+(--[\w-]+(?:,\s*--[\w-]+)*)((?:\s[A-Z][A-Z_]*)?)(?:\s{2,}(.*))?$", line)
        if m:
            names = [n.strip() for n in m.group(1).split(",")]
            options.append((names, m.group(2).strip(), (m.group(3) or "").strip()))
        elif options and line.startswith(" ") and line.strip():
            names, argument, text_so_far = options[-1]
            options[-1] = (names, argument, (text_so_far + " " + line.strip()).strip())
    if not usage or not options:
        sys.exit("manpage.py: the program's --help has no usage line or no options")
    return usage, options


def guide_options(block_list):
    """Option texts from the guide's command-line table: {"--name": text}."""
    texts = {}
    for kind, payload in block_list:
        if kind != "table":
            continue
        for row in payload:
            names = re.findall(r"`(--[\w-]+)", row[0])
            for n in names:
                texts[n] = " ".join(c for c in row[1:] if c)
    return texts


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--program", required=True)
    ap.add_argument("--name", required=True)
    ap.add_argument("--readme", required=True)
    ap.add_argument("--guide")
    ap.add_argument("--datadir", required=True)
    ap.add_argument("--out", required=True)
    a = ap.parse_args()

    usage, options = parse_help(run(a.program, a.name, "--help"))
    version = run(a.program, a.name, "--version").strip()
    with open(a.readme, encoding="utf-8") as f:
        readme = sections(f.read())
    guide = []
    if a.guide and os.path.exists(a.guide):
        with open(a.guide, encoding="utf-8") as f:
            guide = sections(f.read())

    def find(secs, *words):
        for title, body in secs:
            if any(w in title.lower() for w in words):
                return body
        return []

    summary = next((p for k, p in readme[0][1] if k == "para"), "")
    summary = re.sub(r"\s*\([^)]*\)", "", summary.split(". ")[0].rstrip("."))
    summary = summary[:1].lower() + summary[1:]
    out = [
        '.\\" Generated by packaging/manpage.py from the program\'s --help, the README and the lab guide.',
        '.TH %s 1 "" "%s" "User Commands"' % (a.name.upper(), esc(version)),
        ".SH NAME",
        "%s \\- %s" % (a.name, esc(summary)),
        ".SH SYNOPSIS",
    ]
    words = usage.split(None, 1)
    synopsis = re.sub(r"\[([^\]]+)\]", lambda m: "[\\fI" + esc(m.group(1)) + "\\fR]", esc(words[1]) if len(words) > 1 else "")
    out += [".B " + words[0], synopsis]

    out.append(".SH DESCRIPTION")
    if guide:
        # The guide's opening, less the sentences about the guide itself.
        intro = [(k, " ".join(x for x in re.split(r"(?<=\.) ", p) if not x.startswith("This page")))
                 if k == "para" else (k, p) for k, p in guide[0][1]]
        render(intro, out)
    else:
        render(readme[0][1][:1], out)
    command_line = find(guide, "command line")
    # Everything but the option table and the one-line form the synopsis shows.
    render([b for b in command_line if b[0] != "table" and not (b[0] == "code" and len(b[1]) == 1)], out)

    out.append(".SH OPTIONS")
    richer = guide_options(command_line)
    listed = set()
    for names, argument, text in options:
        listed.update(names)
        tag = ", ".join("\\fB" + n.replace("-", "\\-") + "\\fR" for n in names)
        if argument:
            tag += " \\fI" + esc(argument) + "\\fR"
        if names[0] in ("--help", "--version"):
            # "as usual" in the guide; the page says what usual is.
            body = esc(text) or "show the usage, or the program's version, and end"
        elif names[0] in richer:
            body = inline(richer[names[0]])
        else:
            body = esc(text)
        out += [".TP", tag, line_start_safe(body)]
    # Options the guide describes beyond the short usage (the lab's own, used by scripts).
    for n in sorted(set(richer) - listed):
        out += [".TP", "\\fB" + n.replace("-", "\\-") + "\\fR", line_start_safe(inline(richer[n]))]

    for words_, title in ((("scenario",), "SCENARIO FILE"), (("script",), "SCRIPT LANGUAGE")):
        body = find(guide, *words_)
        if body:
            out.append(".SH " + title)
            render(body, out)

    lab_by_hand = find(readme, "running the lab")
    examples = next((p for k, p in lab_by_hand if k == "code"), None)
    if examples:
        out.append(".SH EXAMPLES")
        lines = [l.replace("build/TesraConnect", a.name).replace("tests/lab/scenarios/", a.datadir + "/scenarios/")
                 for l in examples]
        render([("code", lines)], out)
    limits = [b for b in lab_by_hand if b[0] == "para" and b[1].startswith("Limits")]
    if limits:
        out.append(".SH LIMITS")
        render(limits, out)

    d = esc(a.datadir)
    out += [
        ".SH FILES",
        ".TP", "\\fI%s/disc/\\fR" % d,
        "the installation disc the simulated PC sees as the program's drive: \\fBHWID.ini\\fR, "
        "the licence documents and the driver package",
        ".TP", "\\fI%s/scenarios/\\fR" % d,
        "ready-made simulated PCs for \\fB\\-\\-scenario\\fR",
        ".TP", "\\fI%s/scripts/\\fR" % d,
        "the built-in walk-through script, for \\fB\\-\\-script\\fR",
        ".TP", "\\fI$XDG_DATA_HOME/TesraConnect/machines/NAME/\\fR",
        "the state of the simulated PC of scenario NAME (registry, files) between runs, unless "
        "\\fB\\-\\-machine\\fR names another folder; \\fI$XDG_DATA_HOME\\fR is \\fI~/.local/share\\fR when unset",
    ]
    if a.guide and os.path.exists(a.guide):
        out += [".SH SEE ALSO", "The lab guide, \\fI/usr/share/doc/%s/lab.md\\fR." % a.name]

    with open(a.out, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
