"""The saved drawing, read back by ezdxf, holds the replaced hyperlinks; the one before is the
backup."""
import os
import sys

import ezdxf

folder = sys.argv[1]
links = {e.dxf.handle: e.get_hyperlink() for e in ezdxf.readfile(os.path.join(folder, "plan.dxf"))
         .modelspace() if e.has_hyperlink()}
assert links["90"] == ("/mnt/projects/site/survey.pdf", "Survey", ""), links["90"]
assert links["94"] == ("/mnt/projects/site/roads.dxf", "Roads", "Overview"), links["94"]
assert links["93"] == ("", "Garage detail", "Shed,Details"), links["93"]
assert links["91"] == ("docs/house-details.pdf", "House details", ""), links["91"]
backup = {e.dxf.handle: e.get_hyperlink() for e in ezdxf.readfile(os.path.join(folder, "plan.bak"))
          .modelspace() if e.has_hyperlink()}
assert "90" not in backup and backup["93"][2] == "Garage,Details", backup
