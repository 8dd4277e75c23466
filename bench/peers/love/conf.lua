-- The same window as bench/sprites: 800 x 640, no vertical sync, nothing but graphics.
function love.conf(t)
    t.window.width = 800
    t.window.height = 640
    t.window.vsync = 0
    t.window.title = "sprites peer"
    t.modules.audio = false
    t.modules.sound = false
    t.modules.joystick = false
    t.modules.physics = false
end
