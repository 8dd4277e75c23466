-- The workload of bench/sprites drawn with LOVE: the same 32 x 32 sprite picture, the same
-- positions, angles and zoom, and 80 lines of 100 glyphs of an 8-pixel font. Every frame is
-- present + glFinish, timed like the runtime's ShowScreen + glFinish.
--   SDL_VIDEODRIVER=offscreen love bench/peers/love [frames per test]
local ffi = require("ffi")
ffi.cdef [[
void* SDL_GL_GetProcAddress(const char* proc);
typedef void (*FinishFunction)(void);
]]

local kWidth, kHeight, kSpriteSize, kSpritesPerFrame, kWarmUpFrames = 800, 640, 32, 2000, 10

local glFinish
local sprite, font, lines, glyphsPerFrame

local function SpriteX(i, frame) return (i * 97 + frame * 13) % (kWidth - kSpriteSize) end
local function SpriteY(i, frame) return (i * 61 + frame * 7) % (kHeight - kSpriteSize) end
local function SpriteAngle(i) return 33.0 + (i % 12) * 30.0 end

local function MakeSprite()
    local data = love.image.newImageData(kSpriteSize, kSpriteSize)
    for y = 0, kSpriteSize - 1 do
        for x = 0, kSpriteSize - 1 do
            local dx, dy = 2 * x - kSpriteSize + 1, 2 * y - kSpriteSize + 1
            local inside = dx * dx + dy * dy < kSpriteSize * kSpriteSize
            data:setPixel(x, y, x * 8 / 255, y * 8 / 255, 160 / 255, inside and 1 or 0)
        end
    end
    return love.graphics.newImage(data)
end

local function MakeLines()
    local columns, rows = kWidth / 8, kHeight / 8
    local made, glyphs = {}, 0
    for r = 0, rows - 1 do
        local chars = {}
        for c = 0, columns - 1 do chars[#chars + 1] = string.char(33 + (r * 7 + c) % 94) end
        made[#made + 1] = table.concat(chars)
        glyphs = glyphs + columns
    end
    return made, glyphs
end

local function Present()
    love.graphics.present()
    glFinish()
    love.graphics.clear(0, 0, 0, 1)
    love.event.pump()
end

local function TimeFrames(frames, draw)
    for f = 0, kWarmUpFrames - 1 do draw(f); Present() end
    local start = love.timer.getTime()
    for f = 0, frames - 1 do draw(f); Present() end
    return love.timer.getTime() - start
end

local function Report(what, itemsPerFrame, frames, seconds, unit)
    print(string.format("%-40s %10.0f %s/s  (%6.1f frames/s)", what, itemsPerFrame * frames / seconds, unit,
                        frames / seconds))
end

function love.run()
    local frames = tonumber(arg[2]) or 300
    glFinish = ffi.cast("FinishFunction", ffi.C.SDL_GL_GetProcAddress("glFinish"))
    sprite = MakeSprite()
    font = love.graphics.newFont(8)
    love.graphics.setFont(font)
    lines, glyphsPerFrame = MakeLines()
    local half = kSpriteSize / 2

    local empty = TimeFrames(frames, function() end)
    local plain = TimeFrames(frames, function(f)
        for i = 0, kSpritesPerFrame - 1 do love.graphics.draw(sprite, SpriteX(i, f), SpriteY(i, f)) end
    end)
    local rotoZoom = TimeFrames(frames, function(f)
        for i = 0, kSpritesPerFrame - 1 do
            love.graphics.draw(sprite, SpriteX(i, f) + half, SpriteY(i, f) + half, math.rad(SpriteAngle(i)), 1.5, 1.5,
                               half, half)
        end
    end)
    local text = TimeFrames(frames, function()
        for r = 1, #lines do love.graphics.print(lines[r], 0, (r - 1) * 8) end
    end)

    local name, version, vendor, device = love.graphics.getRendererInfo()
    local major, minor = love.getVersion()
    print(string.format("\n2D drawing with LOVE %d.%d, %d x %d, %s", major, minor, kWidth, kHeight, device))
    print(string.format("%d timed frames per test after %d untimed; every frame is present + glFinish", frames,
                        kWarmUpFrames))
    Report("empty frames", 1, frames, empty, "frames")
    Report("DrawSprite", kSpritesPerFrame, frames, plain, "sprites")
    Report("RotoZoomSprite, 12 angles, zoom 1.5", kSpritesPerFrame, frames, rotoZoom, "sprites")
    Report("PrintText, fixed pitch", glyphsPerFrame, frames, text, "glyphs")
    return function() return 0 end
end
