from drawing_check import load

plan = load()
assert "Hedge" in plan.layers, "the change saved at QUIT is there"
assert "Fence" not in plan.layers, "the change dropped at CLOSE is not"
assert load("first.dxf").dxfversion == "AC1032"
