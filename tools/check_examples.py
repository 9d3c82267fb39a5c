#!/usr/bin/env python3
"""Checks the linkage examples apart from the program: every joint of every file closes, with a
margin, at 360 steps of the drive, and each traced point's path extents are printed.

    tools/check_examples.py [FILE.mechsim ...]     (default: examples/*.mechsim)

The closures follow the file format: `along`/`across` are distances in the frame of
on[0]->on[1], across to the left; dyad branch 1 puts the joint left of from[0]->from[1]; a
slider's branch 1 takes the guide point with the larger s. Exit status 1 if any file fails."""
import glob
import math
import os
import sys

try:
    import tomllib as toml_reader
except ImportError:   # Python before 3.11: Debian's python3-toml
    import toml as toml_reader

STEPS = 360
# The margin of a closure: for a dyad the sine of the angle between its two links at the joint,
# for a slider the cosine of the angle between the rod and the guide; both are 0 where it fails.
MARGIN = 0.02
# The keys the format knows; the program refuses any other, so a misspelt key fails here too.
KEYS = {
    "setup": {"mechanism", "profile", "divisions", "cycle-time", "inputs"},
    "linkage": {"mechanism", "title", "trace", "ground", "drive", "joint"},
    "crank": {"kind", "pivot", "joint", "length", "start", "end"},
    "slider drive": {"kind", "joint", "through", "angle", "start", "end"},
    "dyad": {"name", "kind", "from", "lengths", "branch"},
    "point": {"name", "kind", "on", "along", "across"},
    "slider": {"name", "kind", "from", "length", "through", "angle", "branch"},
}
MIN_SPAN = 1e-6      # relative to the file's size: two points that must not coincide


def load(path):
    with open(path, "rb") as f:
        if toml_reader.__name__ == "tomllib":
            return toml_reader.load(f)
        return toml_reader.loads(f.read().decode("utf-8"))


def order(joints, known):
    """The joints sorted so that each follows the points it names."""
    placed, pending = [], list(joints)
    while pending:
        ready = [j for j in pending if all(n in known for n in needs(j))]
        if not ready:
            sys.exit("a cycle or unknown name among: " + ", ".join(j["name"] for j in pending))
        for j in ready:
            known.add(j["name"])
            placed.append(j)
            pending.remove(j)
    return placed


def needs(j):
    return {"dyad": lambda: j["from"], "point": lambda: j["on"], "slider": lambda: [j["from"]]}[
        j["kind"]]()


def pose(model, q, scale):
    """Every point at drive value q, and the smallest margin met with its joint's name."""
    p = {k: tuple(v) for k, v in model["ground"].items()}
    drive = model["drive"]
    if drive["kind"] == "crank":
        (x, y), r = p[drive["pivot"]], drive["length"]
        p[drive["joint"]] = (x + r * math.cos(q), y + r * math.sin(q))
    else:
        (x, y), a = drive["through"], math.radians(drive["angle"])
        p[drive["joint"]] = (x + q * math.cos(a), y + q * math.sin(a))
    worst = (math.inf, None)
    for j in model["joints"]:
        if j["kind"] == "dyad":
            (ax, ay), (bx, by) = p[j["from"][0]], p[j["from"][1]]
            la, lb = j["lengths"]
            d = math.hypot(bx - ax, by - ay)
            if d < MIN_SPAN * scale:
                return None, (0, j["name"] + ": from[0] and from[1] coincide")
            u, v = (bx - ax) / d, (by - ay) / d
            along = (la * la - lb * lb + d * d) / (2 * d)
            h2 = la * la - along * along
            if h2 <= 0:
                return None, (0, j["name"] + ": the two links cannot meet")
            h = j.get("branch", 1) * math.sqrt(h2)
            p[j["name"]] = (ax + along * u - h * v, ay + along * v + h * u)
            margin = d * abs(h) / (la * lb)   # twice the triangle's area over la * lb
        elif j["kind"] == "point":
            (ax, ay), (bx, by) = p[j["on"][0]], p[j["on"][1]]
            d = math.hypot(bx - ax, by - ay)
            if d < MIN_SPAN * scale:
                return None, (0, j["name"] + ": on[0] and on[1] coincide")
            u, v = (bx - ax) / d, (by - ay) / d
            s, w = j.get("along", 0), j.get("across", 0)
            p[j["name"]] = (ax + s * u - w * v, ay + s * v + w * u)
            margin = math.inf
        else:
            bx, by = p[j["from"]]
            (x0, y0), a, rod = j["through"], math.radians(j["angle"]), j["length"]
            u, v = math.cos(a), math.sin(a)
            m = u * (x0 - bx) + v * (y0 - by)
            disc = m * m - ((x0 - bx) ** 2 + (y0 - by) ** 2 - rod * rod)
            if disc <= 0:
                return None, (0, j["name"] + ": the rod cannot reach the guide")
            s = -m + j.get("branch", 1) * math.sqrt(disc)
            p[j["name"]] = (x0 + s * u, y0 + s * v)
            margin = math.sqrt(disc) / rod
        worst = min(worst, (margin, j["name"]), key=lambda t: t[0])
    return p, worst


def unknown_keys(model):
    if model.get("mechanism") != "linkage":
        return set(model) - KEYS["setup"]
    drive = model["drive"]
    found = (set(model) - KEYS["linkage"]) | (set(drive) - KEYS[
        "crank" if drive["kind"] == "crank" else "slider drive"])
    for j in model.get("joint", []):
        found |= set(j) - KEYS[j["kind"]]
    return found


def check(path):
    model = load(path)
    if unknown_keys(model):
        print(f"{path}: FAILS, unknown keys " + ", ".join(sorted(unknown_keys(model))))
        return False
    if model.get("mechanism") != "linkage":
        print(f"{path}: set-up of {model.get('mechanism')}, not a linkage: skipped")
        return True
    names = set(model["ground"]) | {model["drive"]["joint"]}
    model["joints"] = order(model.get("joint", []), names)
    drive = model["drive"]
    q0, q1 = drive["start"], drive["end"]
    if drive["kind"] == "crank":
        q0, q1 = math.radians(q0), math.radians(q1)
    scale = max(max(abs(c) for c in xy) for xy in model["ground"].values()) or 1.0
    paths = {n: [] for n in model.get("trace", [])}
    worst = (math.inf, None, None)
    for i in range(STEPS + 1):
        p, (margin, joint) = pose(model, q0 + (q1 - q0) * i / STEPS, scale)
        if margin < worst[0]:
            worst = (margin, joint, i)
        if p is None:
            break
        for n in paths:
            paths[n].append(p[n])
    margin, joint, step = worst
    ok = margin >= MARGIN
    print(f"{path}: {'ok' if ok else 'FAILS'}, {len(model['joints'])} joints, "
          f"smallest margin {margin:.3f} at joint {joint}, step {step}")
    for n, xy in paths.items():
        if len(xy) == STEPS + 1:
            xs, ys = [c[0] for c in xy], [c[1] for c in xy]
            print(f"  {n}: x {min(xs):.4g} .. {max(xs):.4g}, y {min(ys):.4g} .. {max(ys):.4g}")
    return ok


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    files = sys.argv[1:] or sorted(glob.glob(os.path.join(here, "..", "examples", "*.mechsim")))
    results = [check(os.path.relpath(f)) for f in files]
    sys.exit(0 if all(results) else 1)


if __name__ == "__main__":
    main()
