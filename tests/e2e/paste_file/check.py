from drawing_check import load, links

found = links(load())
path = "/home/me/Documents/Site report.pdf"
assert found["93"] == (path, path, ""), found["93"]
