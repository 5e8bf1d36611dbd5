from drawing_check import load, links

found = links(load())
url = "https://www.openstreetmap.org/#map=18/39.9/116.4"
assert found["91"] == (url, "天安门广场 — OpenStreetMap", ""), found["91"]
