// Player-effect functions of the fun module, in list order.
#pragma once

#include <array>

#include "catalogue.h"

namespace quillon {

inline constexpr std::array<CatalogueEntry, 20> funEntries{{
    {u"get_client_listen",
     u"get_client_listen ( receiver, sender ):如果玩家接收到发送者的声音则返回1,receiver, sender 从1-32"},
    {u"get_user_godmode", u"get_user_godmode ( index ):如果设置玩家GOD模式返回1,INDEX是玩家索引,从1-32!"},
    {u"get_user_gravity", u"get_user_gravity ( index ) :获取玩家重力,INDEX是玩家索引,1-32"},
    {u"get_user_hitzones",
     u"get_user_hitzones ( index, target ) :获取玩家打击部位,index=0的时候,target表示1-32(此时表示其他玩家能打击该玩家什么部位);index表示1-32的时候,target=0(此时表示玩家能打击什么部位)"},
    {u"get_user_maxspeed", u"Float: get_user_maxspeed ( index ) :浮点值,返回玩家最大速度,index表示玩家索引"},
    {u"get_user_noclip", u"get_user_noclip ( index ):如果设置玩家没有弹夹返回1,index玩家索引"},
    {u"give_item", u"give_item ( index, const item[] ) :给予玩家物品,例如weapon_, ammo_ 或者 item_. index玩家索引"},
    {u"set_client_listen", u"set_client_listen ( receiver, sender, listen ) :设置谁能听到谁"},
    {u"set_user_armor", u"set_user_armor ( index, armor ) :设置玩家装甲,index玩家索引"},
    {u"set_user_footsteps", u"set_user_footsteps ( id, [ set ] ) :设置玩家没有脚步声,ID为玩家索引"},
    {u"set_user_godmode",
     u"set_user_godmode ( index, [ godmode ] ) :设置玩家无敌,index为玩家索引,如果想禁用无敌,请仅设置第一个参数"},
    {u"set_user_gravity",
     u"Float: set_user_gravity ( index, [ Float:gravity ] ) :浮点值,设置玩家重力,gravity默认1.0,sv_gravity 默认800"},
    {u"set_user_health",
     u"set_user_health ( index, health ) :设置玩家生命值,最高显示为255,如果你设置256,将显示1,此时失去5的生命,将显示251"},
    {u"set_user_hitzones",
     u"set_user_hitzones ( index = 0, target = 0, body = 255 ):设置玩家能打击的部位,1=普通,2=头,4=胸,8=胃,16=左臂,32=右臂,64=左脚,128=右脚,其index和target的值请参照set_user_hitzones的用法"},
    {u"set_user_maxspeed",
     u"Float: set_user_maxspeed ( index, [ Float:speed ] ):设置玩家最大速度,speed为浮点值,默认-1.0,注意,当你改变武器或者开始新局将恢复原状,所以想保持速度请设置武器事件"},
    {u"set_user_noclip", u"set_user_noclip ( index, [ noclip ] ):设置玩家没有弹夹,如果想禁用请仅设置第一个参数"},
    {u"set_user_origin",
     u"set_user_origin ( index, origin[3] ):设置玩家坐标,常在瞬间移动或者传送插件中用到,origin[3]表示坐标"},
    {u"set_user_rendering",
     u"set_user_rendering ( index, fx = kRenderFxNone, r = 255, g = 255, b = 255, render = kRenderNormal, amount = 16 ):设置玩家透明度,着色模式请参照英文原文档"},
    {u"spawn", u"spawn ( index ):Spawns entity,不知道该如何翻译......"},
    {u"strip_user_weapons",
     u"strip_user_weapons ( index ) :剥夺玩家所有武器.注意,不要使用在ResetHUD事件中,也不要用在server_frame() ,在set_task 中时间设置大于等于0.1"},
}};

}  // namespace quillon
