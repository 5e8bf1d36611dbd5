"""The same round trip with python3-ezdxf: load, set a hyperlink on every entity, save."""
import resource
import sys
import time

import ezdxf


def main():
    path, out = sys.argv[1], sys.argv[2]
    start = time.perf_counter()
    doc = ezdxf.readfile(path)
    loaded = time.perf_counter()
    for n, entity in enumerate(doc.modelspace()):
        entity.set_hyperlink(f"http://example.com/item/{n}", "Item")
    linked = time.perf_counter()
    doc.saveas(out)
    saved = time.perf_counter()
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
    print(f"ezdxf load {loaded - start:.3f} s, hyperlinks {linked - loaded:.3f} s, "
          f"save {saved - linked:.3f} s, total {saved - start:.3f} s, peak {peak:.0f} MiB")
    print(f"EZDXF_TOTAL {saved - start:.6f}")


if __name__ == "__main__":
    main()
