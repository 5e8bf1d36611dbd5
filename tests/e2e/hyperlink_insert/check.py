from drawing_check import load, links

found = links(load())
assert found["90"] == ("docs/site.pdf", "Site documents", "Overview"), found["90"]
assert found["94"] == found["90"]
assert found["93"] == (" ", "", "House,Sheet"), found["93"]  # typed answers are kept as typed
assert "96" not in found  # on the locked layer Survey: not selectable by :L
