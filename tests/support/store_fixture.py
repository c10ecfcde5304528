#!/usr/bin/python3
"""The player's store as the test scripts and tools lay it out: where it lies, the
hour stamp, and a baby in it. The one place the scripts spell them.

From Python:
    import store_fixture
    store_fixture.store_path(config)                 # config/Gribo/Gribo.conf
    store_fixture.write_baby(config, faim=600)       # a hungry baby fed this hour
From a shell:
    store_fixture.py path CONFIG
    store_fixture.py hour-stamp ["YYYY-MM-DD HH"]
    store_fixture.py baby CONFIG [--faim N] [--caca N] [--cacafait Oui|Non]
                                 [--fed-hours-ago N | --fed-at "YYYY-MM-DD HH"]
                                 [--laid-at "YYYY-MM-DD HH:MM"] [--stade STAGE]

The file is written in the bytes QSettings writes (sections and keys in name order).
"""
import argparse
import os
import sys
import time

# Under the configuration folder ($XDG_CONFIG_HOME): the file QSettings(NativeFormat,
# UserScope, "Gribo", "Gribo") reads.
STORE_UNDER_CONFIG = os.path.join("Gribo", "Gribo.conf")


def store_path(config):
    return os.path.join(config, STORE_UNDER_CONFIG)


def local_time(text):
    """A local date and time written "YYYY-MM-DD HH[:MM]" (or with a T)."""
    text = text.replace("T", " ")
    return time.strptime(text, "%Y-%m-%d %H:%M" if ":" in text else "%Y-%m-%d %H")


def hour_stamp(t=None):
    """Whole hours on the game's calendar of 12 months of 30 days, for the local time
    `t` (a time.struct_time; now by default)."""
    t = t or time.localtime()
    return (t.tm_year - 1) * 8640 + (t.tm_mon - 1) * 720 + (t.tm_mday - 1) * 24 + t.tm_hour


def baby(faim=0, caca=0, cacafait="Oui", fed_hours_ago=0, stade="nourrisson", now=None, laid=None):
    """The text of a store holding a hatched baby with this hunger and these droppings,
    last fed `fed_hours_ago` hours before `now` (a time.struct_time; the clock's by
    default), and, with `laid` (another), the date its egg was laid."""
    created = ""
    if laid:
        # QSettings writes the key "année" as ann%E9e.
        created = (f"[datecreation]\nann%E9e={laid.tm_year}\nheure={laid.tm_hour}\njour={laid.tm_mday}\n"
                   f"min={laid.tm_min}\nmois={laid.tm_mon}\n\n")
    return (created + f"[datestats]\ndatenourrit={hour_stamp(now) - fed_hours_ago}\n\n"
            f"[stade]\nstade={stade}\n\n"
            f"[stats]\ncaca={caca}\ncacafait={cacafait}\nfaim={faim}\n")


def write_baby(config, **baby_args):
    """Writes the baby's store under the configuration folder `config`; returns its path."""
    path = store_path(config)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(baby(**baby_args))
    return path


def main(argv):
    parser = argparse.ArgumentParser(prog="store_fixture.py", description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    commands.add_parser("path", help="print the store's path").add_argument("config")
    stamp = commands.add_parser("hour-stamp", help="print the hour stamp of now, or of a local hour")
    stamp.add_argument("at", nargs="?", help="YYYY-MM-DD HH")
    laid = commands.add_parser("baby", help="write a store holding a baby")
    laid.add_argument("config")
    laid.add_argument("--faim", type=int, default=0)
    laid.add_argument("--caca", type=int, default=0)
    laid.add_argument("--cacafait", choices=["Oui", "Non"], default="Oui")
    fed = laid.add_mutually_exclusive_group()
    fed.add_argument("--fed-hours-ago", type=int, default=0)
    fed.add_argument("--fed-at", type=local_time, help="YYYY-MM-DD HH: the hour hunger was counted up to")
    laid.add_argument("--laid-at", type=local_time, help="YYYY-MM-DD HH:MM: when the egg was laid")
    laid.add_argument("--stade", default="nourrisson")
    args = parser.parse_args(argv)
    if args.command == "path":
        print(store_path(args.config))
    elif args.command == "hour-stamp":
        print(hour_stamp(local_time(args.at) if args.at else None))
    else:
        print(write_baby(args.config, faim=args.faim, caca=args.caca, cacafait=args.cacafait,
                         fed_hours_ago=args.fed_hours_ago, now=args.fed_at, laid=args.laid_at, stade=args.stade))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
