from drawing_check import load, links

found = links(load())
assert found["90"] == ("", "", "House"), found["90"]
assert found["94"] == ("", "", "House")
assert "91" not in found, "Enter at all three prompts removed it"
assert found["95"][0] == "http://example.com/long"
assert len(found["95"][1]) == 300
assert found["93"] == ("", "Garage detail", "Garage,Details"), "untouched"
